// The split bar's arithmetic: where the bar may stand, what is left to the second pane, where a
// resize puts the bar, and how far a drag may go.
#include <gtest/gtest.h>

#include "kit/split_geometry.h"

namespace {

constexpr int kThickness = 7;

}  // namespace

TEST(SplitGeometry, BarStaysInsideItsParent)
{
    const struct {
        int total, position, clamped, second;
    } cases[] = {
        {600, 300, 300, 293}, {600, 593, 593, 0},  // the far side exactly on the edge
        {600, 5000, 593, 0},  {600, -40, 0, 593},  // before the start: a wide kept second pane
        {5, 3, 0, 0},                              // a parent thinner than the bar
    };
    for (const auto& c : cases) {
        const int position = ClampSplitPosition(c.total, kThickness, c.position);
        EXPECT_EQ(position, c.clamped) << c.total << ", " << c.position;
        EXPECT_EQ(SecondPaneExtent(c.total, kThickness, position), c.second);
    }
    // A drag from a bar at 300 of 600: in the bar's coordinates the parent runs from -300 to 300.
    EXPECT_EQ(ClampDragCoordinate(-50, -300, 300, kThickness), -50);
    EXPECT_EQ(ClampDragCoordinate(-301, -300, 300, kThickness), -300);
    EXPECT_EQ(ClampDragCoordinate(294, -300, 300, kThickness), 293);
}

TEST(SplitGeometry, ResizeKeepsTheChosenPane)
{
    // Recorded at the last layout: first pane 300, second 293.
    const struct {
        int mode, extent, expected;
    } cases[] = {
        {kKeepSecondPane, 800, 500}, {kKeepSecondPane, 250, -50},  // the layout clamps it
        {kKeepFirstPane, 800, 300},  {120, 800, 120},  // any other mode is the position itself
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResizedSplitPosition(c.mode, c.extent, kThickness, 300, 293), c.expected)
            << c.mode << ", " << c.extent;
}
