// Paired trials, on a clock that only the contenders move: every contender's time per pass comes
// from its own timed batches alone, batches are sized from one pass, and each trial runs the
// contenders in order and then in reverse.
#include "bench/paired_trials.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

uint64_t g_now = 0;
uint64_t FakeNow() { return g_now; }

// A contender whose every pass takes `ns` on the fake clock and notes its name in `log`, once per
// run of its passes.
Contender Taking(const std::string& name, uint64_t ns, std::vector<std::string>* log)
{
    return {name, [name, ns, log] {
                g_now += ns;
                if (log->empty() || log->back() != name) log->push_back(name);
            }};
}

}  // namespace

TEST(BenchPairedTrials, EachContenderIsTimedByItsOwnBatchesInOrderThenInReverse)
{
    std::vector<std::string> log;
    PairedTrials trials({Taking("ours", 10, &log), Taking("SDL", 30, &log), Taking("Allegro", 250, &log)}, FakeNow,
                        100);
    EXPECT_EQ(trials.Run(), (std::vector<double>{10, 30, 250}));
    EXPECT_EQ(trials.Batches(), (std::vector<int>{10, 4, 1}));
    for (int t = 1; t <= 2; ++t) {
        log.clear();
        EXPECT_EQ(trials.Run(), (std::vector<double>{10, 30, 250})) << "trial " << t;
        EXPECT_EQ(log, (std::vector<std::string>{"ours", "SDL", "Allegro", "SDL", "ours"})) << "trial " << t;
    }
}

TEST(BenchPairedTrials, EveryTimedBatchFollowsTheSameBatchUntimed)
{
    int passes = 0;
    PairedTrials trials({{"ours", [&passes] { ++passes, g_now += 7; }}}, FakeNow, 100);
    trials.Run();  // sizing: one pass, then one timed; then twice 15 warm and 15 timed
    EXPECT_EQ(trials.Batches(), std::vector<int>{15});
    EXPECT_EQ(passes, 2 + 2 * (15 + 15));

    // Passes 1, 3, 5... are the untimed ones (the first pass, then each warm batch of one): making
    // them slow must leave the time per pass alone.
    int count = 0;
    PairedTrials uneven({{"ours", [&count] { g_now += ++count % 2 == 1 ? 1000 : 100; }}}, FakeNow, 100);
    EXPECT_EQ(uneven.Run(), std::vector<double>{100});
    EXPECT_EQ(uneven.Batches(), std::vector<int>{1});
    EXPECT_EQ(count, 2 + 2 * (1 + 1));
}

TEST(BenchPairedTrials, APassTooQuickForTheClockStillGetsABoundedBatch)
{
    PairedTrials trials({{"ours", [] {}}}, FakeNow, 100);
    EXPECT_EQ(trials.Run(), std::vector<double>{0});
    EXPECT_EQ(trials.Batches(), std::vector<int>{100});
}
