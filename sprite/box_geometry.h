// The geometry of boxes on the Edit Mode page: which box and which part of it a point falls on,
// what a drag of that part makes of the box, and how a sprite, its boxes and its center are
// mirrored when the sprite is shown facing the other way. Plain arithmetic, no windows.
//
// Points and boxes here are sprite-local (from the sprite's top-left pixel) unless a name says
// "anchor": anchor points are counted from the anchor, where the sprite's top-left pixel lies at
// (rx, ry).
#pragma once

#include "sprite/box_rect.h"

// A part of a box under the mouse: its inside (a drag moves the box), one of its four edges or
// four corners (a drag moves those), or none.
enum class BoxPart { kNone, kInside, kLeft, kRight, kTop, kBottom, kTopLeft, kTopRight, kBottomLeft, kBottomRight };

// The part of `box` at `point`: within `reach` pixels of a corner, a corner; of an edge (and
// beside the box's extent), that edge; otherwise inside or none.
BoxPart BoxPartAt(const BoxRect& box, int x, int y, int reach);

// What a press at (x, y) takes: only the chosen box (`selected` of `boxes`, -1 for none) is
// moved or resized, so a press anywhere else draws a new box, even inside a large one. The chosen
// box and its part under the point, or -1 (and kNone).
int BoxAt(const BoxRect* boxes, int count, int selected, int x, int y, int reach, BoxPart* part);

// The box a click at (x, y) chooses: the newest one (drawn on top) that holds the point. -1 when
// none does.
int BoxUnder(const BoxRect* boxes, int count, int x, int y);

// The box a drag of `part` by (dx, dy) makes of `box`: the inside moves the whole box, an edge or
// a corner moves only that; corners come out ordered, so a drag past the opposite edge turns the
// box over rather than making it negative.
PixelRect DraggedBox(const BoxRect& box, BoxPart part, int dx, int dy);

// The flips of the preview: bit 1 left-right, bit 2 top-bottom (the draw flags' values).
constexpr int kFlipHorizontal = 1;
constexpr int kFlipVertical = 2;

// Mirroring about the anchor, as a game draws a sprite facing the other way: the pixel column x
// (from the anchor) goes to -x - 1, and likewise rows. Its own inverse.
int FlippedAnchorColumn(int x, int flips);
int FlippedAnchorRow(int y, int flips);
// Where a width x height sprite at relative coordinate (rx, ry) has its top-left pixel when
// mirrored: -rx - width across, -ry - height down.
int FlippedLeft(int rx, int width, int flips);
int FlippedTop(int ry, int height, int flips);
// A sprite-local rectangle (box) or point (center) as it lies in the mirrored sprite, whose
// pixel x is the unmirrored pixel width - 1 - x.
PixelRect FlippedLocalRect(const PixelRect& rect, int width, int height, int flips);

// A number typed for a box corner or a coordinate: optional spaces, an optional sign and digits,
// within what the sprite file keeps (a signed 16-bit number). False for anything else.
bool ParseBoxNumber(const char* text, int* value);
