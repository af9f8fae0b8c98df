// The edit page: the current sprite at the anchor point with the anchor cross, its center mark,
// hit boxes and attack boxes; the chosen box with its handles; the neighbouring sprites faintly
// behind it (the onion skin); everything mirrored about the anchor when the preview is flipped.
#include <cstring>

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "kit/show_info.h"
#include "render/half_tone.h"
#include "render/sprite_draw.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"

namespace {

constexpr int kCenterArm = 7;                      // the center mark reaches this far each way
constexpr int kCenterLength = 2 * kCenterArm + 1;  // 15 pixels per line
constexpr int kHandleArm = 1;                      // a handle is 3 x 3 page pixels
constexpr int kOnionTable = 0;                     // the blend table the onion skin draws through

// The half-tone of the page's colors in blend table kOnionTable, made again only when the colors
// changed since it was last made.
void EnsureHalfTone(const DibPage& page)
{
    static RGBQUAD madeFor[256];
    static bool made = false;
    if (page.info == nullptr || page.colourCount != 256) return;
    const RGBQUAD* colors = page.info->bmiColors;
    if (made && std::memcmp(madeFor, colors, sizeof madeFor) == 0) return;
    BuildHalfToneTable(colors, BlendTables + kOnionTable * kBlendTableSize);
    std::memcpy(madeFor, colors, sizeof madeFor);
    made = true;
}

uint8_t HalfTone(int under, int over)
{
    return BlendTables[kOnionTable * kBlendTableSize + (under & 0xFF) * 256 + (over & 0xFF)];
}

// One sprite as the page shows it: where its top-left pixel lies and how its local rectangles
// land on the page, mirrored as the preview is.
struct PlacedSprite {
    const Sprite* sprite;
    int left, top, flips;

    PlacedSprite(const Sprite* s, int anchorX, int anchorY, int previewFlips)
        : sprite(s),
          left(anchorX + FlippedLeft(s->rx, s->width, previewFlips)),
          top(anchorY + FlippedTop(s->ry, s->height, previewFlips)),
          flips(previewFlips)
    {
    }
    PixelRect OnPage(const BoxRect& box) const
    {
        const PixelRect r = FlippedLocalRect({box.x1, box.y1, box.x2, box.y2}, sprite->width, sprite->height, flips);
        return {left + r.x1, top + r.y1, left + r.x2, top + r.y2};
    }
    POINT Center() const
    {
        const PixelRect c = FlippedLocalRect({sprite->mx, sprite->my, sprite->mx, sprite->my}, sprite->width,
                                             sprite->height, flips);
        return {left + c.x1, top + c.y1};
    }
};

void DrawBoxes(DibPage& page, const PlacedSprite& placed, const BoxRect* boxes, int count, int color)
{
    for (int i = 0; i < count; ++i) {
        const PixelRect r = placed.OnPage(boxes[i]);
        page.DrawFrame(r.x1, r.y1, r.x2, r.y2, color, kSolidMode);
    }
}

// The eight handles of a chosen box: its corners and the middles of its edges, each a square of
// the box's color in an inverted outline. The outlines go first, so where the handles of a small
// box meet, no outline crosses another handle's square.
void DrawHandles(DibPage& page, const PixelRect& r, int color)
{
    const int xs[] = {r.x1, (r.x1 + r.x2) / 2, r.x2}, ys[] = {r.y1, (r.y1 + r.y2) / 2, r.y2};
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                if (i == 1 && j == 1) continue;
                const int arm = kHandleArm + (pass == 0 ? 1 : 0);
                if (pass == 0)
                    page.DrawFrame(xs[i] - arm, ys[j] - arm, xs[i] + arm, ys[j] + arm, 0, kInvertMode);
                else
                    page.FillBox(xs[i] - arm, ys[j] - arm, xs[i] + arm, ys[j] + arm, color);
            }
}

}  // namespace

void BmpChildWindow::StartEditPage()
{
    if (!g_animPage.Create(animWidth, animHeight, 8, g_palette)) ShowInfo(window, "Edit Page 초기화 실패");
    pageWidth = animWidth;
    pageHeight = animHeight;
    // An anchor that fits the page stays, also across resolution changes.
    if (anchorX <= 0 || anchorX >= animWidth) anchorX = animWidth / 2;
    if (anchorY <= 0 || anchorY >= animHeight) anchorY = animHeight / 2;
    RefreshPage();
}

void BmpChildWindow::DrawEditPage(int n)
{
    if (!editMode) return;
    if (g_animPage.pixels == nullptr) {
        // Out of edit mode before the box comes up: the box's own message loop paints the canvas,
        // which would otherwise come here again and raise another box.
        editMode = 0;
        ShowInfo(window, "페이지가 초기화 되지 않았습니다.");
        return;
    }
    DibPage& page = g_animPage;
    page.FillBox(0, 0, page.width, page.height, g_options.backColor);

    editAnchorX = anchorX;
    editAnchorY = anchorY;
    // The neighbours first, faintly, with their boxes in lighter tones.
    const bool onion = g_editorOptions.onionPrevious || g_editorOptions.onionNext;
    if (onion) EnsureHalfTone(page);
    for (int neighbour : {n - 1, n + 1}) {
        const bool wanted = neighbour < n ? g_editorOptions.onionPrevious : g_editorOptions.onionNext;
        const Sprite* other = g_document.SpriteAt(neighbour);
        if (!wanted || other == nullptr || n < 0) continue;
        const PlacedSprite placed(other, editAnchorX, editAnchorY, previewFlips);
        page.DrawSprite(placed.left, placed.top, other, DRAW_BLEND | previewFlips, 0, kOnionTable);
        const int back = g_options.backColor;
        if (showHitBoxes)
            DrawBoxes(page, placed, other->hitBoxes, other->hitCount, HalfTone(back, g_options.hitBoxColor));
        if (showAtckBoxes)
            DrawBoxes(page, placed, other->atckBoxes, other->atckCount, HalfTone(back, g_options.atckBoxColor));
    }

    // With no sprite (the last one deleted) the page shows the anchor alone.
    const Sprite* sprite = g_document.SpriteAt(n);
    static const Sprite kNoSprite = {};
    const PlacedSprite placed(sprite != nullptr ? sprite : &kNoSprite, editAnchorX, editAnchorY, previewFlips);
    if (sprite != nullptr && !page.DrawSprite(placed.left, placed.top, sprite, previewFlips, 0, 0))
        workSet.ShowMessage(window);

    // What covers what: the boxes over the anchor lines over the sprite, the cross-hair last.
    if (showAnchor) {
        page.DrawHLine(0, editAnchorY, page.width, g_options.relCrossColor, kSolidMode);
        page.DrawVLine(editAnchorX, 0, page.height, g_options.relCrossColor, kSolidMode);
    }
    if (showCenter && sprite != nullptr) {
        const POINT c = placed.Center();
        page.DrawHLine(c.x - kCenterArm, c.y, kCenterLength, 0, kInvertMode);
        page.DrawVLine(c.x, c.y - kCenterArm, kCenterLength, 0, kInvertMode);
    }
    const Sprite& s = *placed.sprite;
    if (showHitBoxes) DrawBoxes(page, placed, s.hitBoxes, s.hitCount, g_options.hitBoxColor);
    if (showAtckBoxes) DrawBoxes(page, placed, s.atckBoxes, s.atckCount, g_options.atckBoxColor);
    const bool hitTool = editTool == IDC_TOOL_HIT_BOX;
    const int chosenCount = hitTool ? s.hitCount : s.atckCount;
    if ((hitTool || editTool == IDC_TOOL_ATCK_BOX) && selectedBox >= 0 && selectedBox < chosenCount)
        DrawHandles(page, placed.OnPage((hitTool ? s.hitBoxes : s.atckBoxes)[selectedBox]),
                    hitTool ? g_options.hitBoxColor : g_options.atckBoxColor);
    if (g_options.crossHair && crossVisible) DrawCrossHair(crossX, crossY);

    if (!page.FlipAt(window, pageLeft, pageTop, editZoom)) ShowInfo(window, "페이지 플리핑 실패");
}
