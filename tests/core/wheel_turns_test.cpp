// The wheel's turns as notches, fine wheels included.
#include <gtest/gtest.h>

#include <vector>

#include "kit/wheel_turns.h"

TEST(WheelTurnsTest, TurnsMakeWholeNotchesAndKeepTheRest)
{
    struct Case {
        const char* what;
        std::vector<int> deltas;
        std::vector<int> notches;
    };
    const Case cases[] = {
        {"a notch each way", {120, -120, -240}, {1, -1, -2}},
        {"a fine wheel: thirds of a notch add up", {40, 40, 40, 40}, {0, 0, 1, 0}},
        {"more than a notch keeps its rest", {200, 40}, {1, 1}},
        {"a turn back starts afresh", {100, -30, -90}, {0, 0, -1}},
        {"a large turn", {-600}, {-5}},
    };
    for (const Case& c : cases) {
        WheelTurns turns;
        std::vector<int> notches;
        for (int delta : c.deltas) notches.push_back(turns.Notches(delta));
        EXPECT_EQ(notches, c.notches) << c.what;
    }
}
