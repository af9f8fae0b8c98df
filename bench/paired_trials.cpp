#include "bench/paired_trials.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>

uint64_t PairedTrials::ThreadCpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return uint64_t(t.tv_sec) * 1000000000u + uint64_t(t.tv_nsec);
}

uint64_t PairedTrials::SteadyNow()
{
    return uint64_t(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

PairedTrials::PairedTrials(std::vector<Contender> contenders, Clock now, double batchNs)
    : contenders_(std::move(contenders)), now_(now), batchNs_(batchNs)
{
}

uint64_t PairedTrials::TimeBatch(const Contender& contender, int passes) const
{
    const uint64_t start = now_();
    for (int i = 0; i < passes; ++i) contender.pass();
    return now_() - start;
}

std::vector<double> PairedTrials::Run()
{
    const size_t n = contenders_.size();
    if (batches_.empty()) {
        for (const Contender& c : contenders_) {
            c.pass();  // the first pass may pay for first touches and set-up
            const double once = double(TimeBatch(c, 1));
            batches_.push_back(once >= batchNs_ ? 1 : int(std::ceil(batchNs_ / std::max(once, 1.0))));
        }
    }
    std::vector<uint64_t> ns(n, 0);
    for (size_t i = 0; i < 2 * n; ++i) {
        const size_t c = i < n ? i : 2 * n - 1 - i;  // in order, then in reverse
        for (int w = 0; w < batches_[c]; ++w) contenders_[c].pass();  // warm, untimed
        ns[c] += TimeBatch(contenders_[c], batches_[c]);
    }
    std::vector<double> perPass(n);
    for (size_t c = 0; c < n; ++c) perPass[c] = double(ns[c]) / (2.0 * batches_[c]);
    return perPass;
}
