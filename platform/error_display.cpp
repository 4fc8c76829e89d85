#include "error_display.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {
ErrorSink &sink()
{
    static ErrorSink s;
    return s;
}
} // namespace

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

ErrorSink setErrorSink(ErrorSink s)
{
    return std::exchange(sink(), std::move(s));
}

void showError(const QString &message)
{
    const QString text = errorBoxText(message);
    if (sink()) {
        sink()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    // Messages carry file names and the platform's reasons: never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform
