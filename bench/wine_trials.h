// Interleaved trials for the benchmarks that run under Wine on the real windows. A trial times
// every contender of a table (the paint, its floor, the pieces of the paint) back to back, in
// order and then in reverse order, a few passes each; so a busy neighbour on a shared machine
// slows all of them alike, and the ratio of two contenders within one trial holds still. Times
// are wall-clock (the X server's share of a flip is work done for us), in microseconds per pass.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace wine_trials {

inline double Microseconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1e6 / double(frequency.QuadPart);
}

inline double Milliseconds() { return Microseconds() / 1000.0; }

// Gives `window` a client area of `width` x `height`, moving it to the screen's corner.
inline void SizeClient(HWND window, int width, int height)
{
    for (int pass = 0; pass < 4; ++pass) {
        RECT client, outer;
        GetClientRect(window, &client);
        if (client.right == width && client.bottom == height) return;
        GetWindowRect(window, &outer);
        MoveWindow(window, 0, 0, outer.right - outer.left + width - client.right,
                   outer.bottom - outer.top + height - client.bottom, TRUE);
    }
}

// The message loop's idle step: a look at an empty queue. Under Wine, drawing into a window lands
// in the window's surface in the program's memory, and reaches the X server when the message loop
// next looks at its queue; a pass that draws into a window ends with this step, so its pixels are
// on screen and it leaves none of its work for the pass after it to pay. Never yields the
// processor.
inline void ShowOnScreen()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD);
}

struct Contender {
    std::string name;
    std::function<void()> pass;
};

// times[c][t]: contender c's microseconds per pass in trial t (the mean of its two batches).
struct Results {
    std::vector<std::string> names;
    std::vector<std::vector<double>> times;
};

inline Results RunTrials(const std::vector<Contender>& contenders, int trials, int passesPerBatch)
{
    const size_t n = contenders.size();
    Results results;
    for (const Contender& c : contenders) results.names.push_back(c.name);
    results.times.assign(n, {});
    for (const Contender& c : contenders) c.pass();  // warm up once, untimed
    for (int t = 0; t < trials; ++t) {
        std::vector<double> sum(n, 0.0);
        for (size_t k = 0; k < 2 * n; ++k) {
            const size_t c = k < n ? k : 2 * n - 1 - k;
            const double start = Microseconds();
            for (int p = 0; p < passesPerBatch; ++p) contenders[c].pass();
            sum[c] += Microseconds() - start;
        }
        for (size_t c = 0; c < n; ++c) results.times[c].push_back(sum[c] / (2.0 * passesPerBatch));
    }
    return results;
}

struct Spread {
    double low, median, high;  // first quartile, median, third quartile
};

inline Spread Quartiles(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t last = values.size() - 1;
    return {values[last / 4], values[last / 2], values[(3 * last) / 4]};
}

// Per trial, contender a's time over contender b's.
inline std::vector<double> Ratios(const Results& results, size_t a, size_t b)
{
    std::vector<double> ratios;
    for (size_t t = 0; t < results.times[a].size(); ++t) ratios.push_back(results.times[a][t] / results.times[b][t]);
    return ratios;
}

// "median [q1-q3]" of one series.
inline std::string Cell(const std::vector<double>& values, const char* format = "%.0f")
{
    const Spread s = Quartiles(values);
    char low[32], median[32], high[32], cell[112];
    std::snprintf(low, sizeof low, format, s.low);
    std::snprintf(median, sizeof median, format, s.median);
    std::snprintf(high, sizeof high, format, s.high);
    std::snprintf(cell, sizeof cell, "%s [%s-%s]", median, low, high);
    return cell;
}

}  // namespace wine_trials
