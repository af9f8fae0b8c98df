// What the paired benchmarks of the command line and the document measure with: the thread's CPU
// time of one job, and a quantile of a set of trials.
#pragma once

#include <time.h>

#include <algorithm>
#include <functional>
#include <vector>

// The thread's CPU time of one job: time the machine's other work took from us is not counted.
inline double Seconds(const std::function<void()>& job)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    job();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) + 1e-9 * double(end.tv_nsec - start.tv_nsec);
}

// The q-quantile (0..1) of the values, interpolated between the two nearest.
inline double Quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    const double at = q * double(values.size() - 1);
    const size_t below = size_t(at);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - double(below));
}
