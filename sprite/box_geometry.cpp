#include "sprite/box_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Near(int a, int b, int reach) { return std::abs(a - b) <= reach; }

}  // namespace

BoxPart BoxPartAt(const BoxRect& box, int x, int y, int reach)
{
    const bool acrossX = x >= box.x1 - reach && x <= box.x2 + reach;
    const bool acrossY = y >= box.y1 - reach && y <= box.y2 + reach;
    if (!acrossX || !acrossY) return BoxPart::kNone;
    const bool left = Near(x, box.x1, reach), right = Near(x, box.x2, reach) && !left;
    const bool top = Near(y, box.y1, reach), bottom = Near(y, box.y2, reach) && !top;
    // A box too small for its parts to be told apart is moved whole from its middle.
    const bool thin = box.x2 - box.x1 < 2 * reach + 1, flat = box.y2 - box.y1 < 2 * reach + 1;
    if (thin && flat && x >= box.x1 && x <= box.x2 && y >= box.y1 && y <= box.y2) return BoxPart::kInside;
    if (top && left) return BoxPart::kTopLeft;
    if (top && right) return BoxPart::kTopRight;
    if (bottom && left) return BoxPart::kBottomLeft;
    if (bottom && right) return BoxPart::kBottomRight;
    if (left) return BoxPart::kLeft;
    if (right) return BoxPart::kRight;
    if (top) return BoxPart::kTop;
    if (bottom) return BoxPart::kBottom;
    if (x >= box.x1 && x <= box.x2 && y >= box.y1 && y <= box.y2) return BoxPart::kInside;
    return BoxPart::kNone;
}

int BoxAt(const BoxRect* boxes, int count, int selected, int x, int y, int reach, BoxPart* part)
{
    const BoxPart at = selected >= 0 && selected < count ? BoxPartAt(boxes[selected], x, y, reach) : BoxPart::kNone;
    if (part != nullptr) *part = at;
    return at == BoxPart::kNone ? -1 : selected;
}

int BoxUnder(const BoxRect* boxes, int count, int x, int y)
{
    for (int i = count - 1; i >= 0; --i)
        if (x >= boxes[i].x1 && x <= boxes[i].x2 && y >= boxes[i].y1 && y <= boxes[i].y2) return i;
    return -1;
}

PixelRect DraggedBox(const BoxRect& box, BoxPart part, int dx, int dy)
{
    int x1 = box.x1, y1 = box.y1, x2 = box.x2, y2 = box.y2;
    switch (part) {
    case BoxPart::kInside: x1 += dx, x2 += dx, y1 += dy, y2 += dy; break;
    case BoxPart::kLeft: x1 += dx; break;
    case BoxPart::kRight: x2 += dx; break;
    case BoxPart::kTop: y1 += dy; break;
    case BoxPart::kBottom: y2 += dy; break;
    case BoxPart::kTopLeft: x1 += dx, y1 += dy; break;
    case BoxPart::kTopRight: x2 += dx, y1 += dy; break;
    case BoxPart::kBottomLeft: x1 += dx, y2 += dy; break;
    case BoxPart::kBottomRight: x2 += dx, y2 += dy; break;
    case BoxPart::kNone: break;
    }
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

int FlippedAnchorColumn(int x, int flips) { return (flips & kFlipHorizontal) ? -x - 1 : x; }

int FlippedAnchorRow(int y, int flips) { return (flips & kFlipVertical) ? -y - 1 : y; }

int FlippedLeft(int rx, int width, int flips) { return (flips & kFlipHorizontal) ? -rx - width : rx; }

int FlippedTop(int ry, int height, int flips) { return (flips & kFlipVertical) ? -ry - height : ry; }

PixelRect FlippedLocalRect(const PixelRect& rect, int width, int height, int flips)
{
    PixelRect out = rect;
    if (flips & kFlipHorizontal) {
        out.x1 = width - 1 - rect.x2;
        out.x2 = width - 1 - rect.x1;
    }
    if (flips & kFlipVertical) {
        out.y1 = height - 1 - rect.y2;
        out.y2 = height - 1 - rect.y1;
    }
    return out;
}

bool ParseBoxNumber(const char* text, int* value)
{
    if (text == nullptr) return false;
    while (*text == ' ') ++text;
    bool negative = false;
    if (*text == '-' || *text == '+') negative = *text++ == '-';
    if (*text < '0' || *text > '9') return false;
    long number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        number = number * 10 + (*text - '0');
        if (number > 32768) return false;
    }
    while (*text == ' ') ++text;
    if (*text != '\0') return false;
    if (negative) number = -number;
    if (number < -32768 || number > 32767) return false;
    *value = int(number);
    return true;
}
