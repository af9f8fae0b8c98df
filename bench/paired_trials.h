// Paired trials: a row of the benchmark table is our routine beside its peers (or a floor, such as
// memcpy) on one workload. A trial times every contender of the row back to back, so a busy
// neighbour on a shared machine slows all of them alike and their ratio holds still: in order,
// then once more in reverse order, so that going first or last favours no one. Knows nothing of
// Google Benchmark: bench/rows.cpp runs one trial per repetition and reports its times.
//
// Batches are timed by the thread's own CPU clock, so the time the thread waits for a core while
// other programs run counts for no one. A contender must therefore do all its work on the calling
// thread; a row whose contenders work in other threads or processes is timed with SteadyNow.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One contender of a row. `pass` does the work once over the whole workload (draws every sprite,
// compresses every sprite, copies the sheet...); the first contender of a row is "ours".
struct Contender {
    std::string name;
    std::function<void()> pass;
};

class PairedTrials {
public:
    using Clock = uint64_t (*)();  // nanoseconds from any fixed start

    static constexpr double kBatchNs = 100e3;  // about how long each timed batch runs
    static uint64_t ThreadCpuNow();            // CLOCK_THREAD_CPUTIME_ID
    static uint64_t SteadyNow();               // std::chrono::steady_clock, waiting included

    explicit PairedTrials(std::vector<Contender> contenders, Clock now = ThreadCpuNow, double batchNs = kBatchNs);

    // One trial: each contender in turn, in order and then in reverse order (A B C C B A), runs a
    // batch of passes untimed, so that caches and branch predictors hold its own work again, then
    // the same batch timed. Gives each contender's time per pass over its two timed batches in
    // nanoseconds, in the contenders' order. The first trial first sizes the batches: as many
    // passes as fill about batchNs, from one timed pass of each, at least one.
    std::vector<double> Run();

    const std::vector<Contender>& Contenders() const { return contenders_; }
    const std::vector<int>& Batches() const { return batches_; }

private:
    uint64_t TimeBatch(const Contender& contender, int passes) const;  // nanoseconds

    std::vector<Contender> contenders_;
    Clock now_;
    double batchNs_;
    std::vector<int> batches_;  // passes per timed batch, per contender; empty until the first trial
};
