#pragma once

#include "core/errors.h"

#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

class QWidget;

namespace platform {

// The text the error box shows: a full stop is appended when the last
// character's code is above that of ".".
QString errorBoxText(const QString &message);

// Shows an error the way the application reports every uncaught failure:
// a message box titled with the application title, error icon, OK, the
// message as plain text.
// Tests replace the sink to record messages instead of opening a box.
using ErrorSink = std::function<void(const QString &boxText)>;
void showError(const QString &message);
ErrorSink setErrorSink(ErrorSink sink); // returns the previous sink; empty = message box

// Runs an event handler and reports whatever it throws through showError, so
// a failing handler never ends the program or unwinds through Qt's frames.
template <typename F> void runGuarded(F &&f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (const core::AppError &e) {
        showError(e.message());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("Unknown error"));
    }
}

// Calls a handler with a signal's arguments, or with none when it takes none.
// A function template of its own: here the call without arguments depends
// on the handler's type, so it is compiled only for a handler that takes
// none (inside guarded()'s lambda clang compiles it for every handler).
template <typename F, typename... Args> void callHandler(F &f, Args &&...args)
{
    if constexpr (std::is_invocable_v<F &, Args...>)
        f(std::forward<Args>(args)...);
    else
        f();
}

// Wraps a handler for connect(): guarded([this] { ... }). A handler that
// takes no arguments ignores the signal's.
template <typename F> auto guarded(F f)
{
    return [f = std::move(f)](auto &&...args) mutable {
        runGuarded([&] { callHandler(f, std::forward<decltype(args)>(args)...); });
    };
}

} // namespace platform
