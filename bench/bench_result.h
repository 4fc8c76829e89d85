#pragma once

// What every benchmark shares: timing by medians, and one verdict line per
// figure that scripts/bench.sh collects into its table.
//
//   RESULT|<what>|<figure>|<baseline>|<unit>|<target>|met|missed
//
// A target is either on the figure itself ("< 1 ms") or on its ratio to the
// baseline ("<= 1.15x"). A benchmark exits non-zero when any of its figures
// misses.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace bench {

// Benchmarks run offscreen unless QT_QPA_PLATFORM chooses a platform; call
// before the application is made.
inline void offscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0.0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

// CPU time of the calling thread in milliseconds. On a machine shared with
// other work, wall time measures the others as much as us; the time the
// work itself costs stays put.
inline double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// The median over samples of one call of work, each sample the mean of a
// batch of calls, in milliseconds of CPU time. One unmeasured call first
// warms caches, fonts and lazily built state.
template <typename F> double medianMs(int samples, int batch, F &&work)
{
    work();
    std::vector<double> ms;
    ms.reserve(size_t(samples));
    for (int s = 0; s < samples; ++s) {
        const double start = threadCpuMs();
        for (int i = 0; i < batch; ++i)
            work();
        ms.push_back((threadCpuMs() - start) / batch);
    }
    return median(std::move(ms));
}

class Verdicts
{
public:
    // A target on the figure: met when figure < limit.
    void below(const char *what, double figure, double baseline, const char *unit, double limit)
    {
        const bool met = figure < limit;
        line(what, figure, baseline, unit, QStringLiteral("< %1 %2").arg(limit).arg(QLatin1String(unit)), met);
    }
    // A target on the ratio to the baseline: met when figure / baseline <= limit.
    void ratioAtMost(const char *what, double figure, double baseline, const char *unit, double limit)
    {
        const bool met = baseline > 0 && figure / baseline <= limit;
        line(what, figure, baseline, unit, QStringLiteral("<= %1x").arg(limit, 0, 'f', 2), met);
    }
    // A figure shown for comparison, without a target.
    void info(const char *what, double figure, double baseline, const char *unit)
    {
        line(what, figure, baseline, unit, QStringLiteral("-"), true, false);
    }
    // A check that is not a timing (right number of frames, right texts).
    void check(const char *what, bool ok)
    {
        m_missed += ok ? 0 : 1;
        std::printf("RESULT|%s|-|-||-|%s\n", what, ok ? "met" : "missed");
    }
    int exitCode() const
    {
        std::fflush(stdout);
        return m_missed ? 1 : 0;
    }

private:
    void line(const char *what, double figure, double baseline, const char *unit, const QString &target, bool met,
              bool judged = true)
    {
        m_missed += met ? 0 : 1;
        std::printf("RESULT|%s|%.3f|%.3f|%s|%s|%s\n", what, figure, baseline, unit, qPrintable(target),
                    judged ? (met ? "met" : "missed") : "-");
    }
    int m_missed = 0;
};

} // namespace bench
