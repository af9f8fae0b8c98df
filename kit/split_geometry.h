// The arithmetic of a split bar, apart from any window: where the bar may stand inside its
// parent, how much room each pane gets, and where the bar goes when the parent is resized.
// Extents run along the bar's axis: widths for a vertical bar, heights for a horizontal one.
#pragma once

// How a resize moves the bar: the first pane keeps its extent, or the second does. Any other
// value is itself the new position.
constexpr int kKeepFirstPane = 1;
constexpr int kKeepSecondPane = 2;

// The bar's position inside a parent `total` pixels long: never so far that the bar leaves the
// parent, and never before its start (a parent shorter than the bar puts the bar at 0).
constexpr int ClampSplitPosition(int total, int thickness, int position)
{
    if (total < thickness + position) position = total - thickness;
    if (position < 0) position = 0;
    return position;
}

// The extent left to the second pane with the bar at `position`, never below 0.
constexpr int SecondPaneExtent(int total, int thickness, int position)
{
    int extent = total - thickness - position;
    return extent < 0 ? 0 : extent;
}

// A mouse coordinate of a drag, kept between the parent's near edge `low` and its far edge `high`
// less the bar's thickness (all in the bar's own coordinates).
constexpr int ClampDragCoordinate(int coordinate, int low, int high, int thickness)
{
    if (coordinate < low) coordinate = low;
    if (coordinate > high - thickness) coordinate = high - thickness;
    return coordinate;
}

// The bar's new position after the parent became `extent` long, from the pane extents recorded at
// the last layout.
constexpr int ResizedSplitPosition(int mode, int extent, int thickness, int firstExtent,
                                   int secondExtent)
{
    if (mode == kKeepFirstPane) return firstExtent;
    if (mode == kKeepSecondPane) return extent - thickness - secondExtent;
    return mode;
}
