#pragma once

#include <QElapsedTimer>

#include <algorithm>
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

} // namespace bench
