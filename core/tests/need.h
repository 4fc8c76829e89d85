#pragma once

#include <QTest>

// RATIOMAT_NEED(condition, what): a test that needs a tool, a font or a
// privilege the machine may lack. Run by hand without it, the test is skipped
// with the reason; scripts/test.sh installs every tool and runs as root, and
// sets RATIOMAT_NO_SKIPS=1 so that the same lack fails the test there: a check
// that checked nothing must never pass.
#define RATIOMAT_NEED(condition, what)                                                                                 \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            if (qEnvironmentVariableIntValue("RATIOMAT_NO_SKIPS"))                                                     \
                QFAIL(what);                                                                                           \
            QSKIP(what);                                                                                               \
        }                                                                                                              \
    } while (false)
