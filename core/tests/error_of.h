#pragma once

#include "core/errors.h"

#include <QString>

// Runs f and returns the message of the Error it raises; empty when f
// returns normally. Any other exception passes through.
template <typename Error = core::AppError, typename F> QString errorOf(F &&f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}
