#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

// Timing helpers of the benchmarks: medians, so that a busy machine disturbs them little.
namespace bench {

// Keeps the compiler from dropping the work being timed.
inline volatile qsizetype g_sink = 0;

// Median of runs timings of f, in milliseconds.
template <class F>
double medianMs(int runs, F &&f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Median over batches of the time of one operation f(i), in microseconds.
template <class F>
double perOpUs(int ops, F &&f)
{
    std::vector<double> times;
    for (int b = 0; b < 9; ++b) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < ops; ++i)
            f(i);
        times.push_back(t.nsecsElapsed() / 1e3 / ops);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One line of a per-record figure on the largest dossier against the dossier of ten records:
// the two times and their ratio, which stays near 1 when a record costs the same at any size.
inline void ratio(const char *label, double big, double small, const char *unit = "us")
{
    std::printf("%-52s %10.3f %s  (10 fiches : %.3f %s, rapport %.2f)\n", label, big, unit, small, unit,
                small > 0 ? big / small : 0.0);
}

} // namespace bench
