// The lower pane's buttons: the selection strip's zoom within 0.25..3.0, from the buttons and
// from the View menu alike, and "Delete" with no sprites.
#include "app/main_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "views/selection.h"

namespace {

using WorkWindowsTest = MainWindowTest;

void ClickZoomIn() { SendMessageA(g_subWork2.zoomInButton, BM_CLICK, 0, 0); }
void ClickZoomOut() { SendMessageA(g_subWork2.zoomOutButton, BM_CLICK, 0, 0); }
void MenuZoomIn() { SendMessageA(g_mainWnd, WM_COMMAND, ID_SEL_ZOOM_IN, 0); }
void MenuZoomOut() { SendMessageA(g_mainWnd, WM_COMMAND, ID_SEL_ZOOM_OUT, 0); }

}  // namespace

TEST_F(WorkWindowsTest, StripZoomStopsAtThreeAndAQuarter)
{
    const struct {
        const char* how;
        void (*press)();
        int presses;   // to reach the limit from 1.0
        float limit;
    } cases[] = {
        {"Zoom In button", ClickZoomIn, 8, 3.0f},
        {"Zoom Out button", ClickZoomOut, 3, 0.25f},
        {"menu Zoom In", MenuZoomIn, 8, 3.0f},
        {"menu Zoom Out", MenuZoomOut, 3, 0.25f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        g_selChild.scale = 1.0f;
        const float step = c.limit > 1.0f ? 0.25f : -0.25f;
        for (int i = 1; i <= c.presses; ++i) {
            c.press();
            EXPECT_EQ(g_selChild.scale, 1.0f + step * float(i)) << "press " << i;
        }
        c.press();
        c.press();
        EXPECT_EQ(g_selChild.scale, c.limit);
    }
}

TEST_F(WorkWindowsTest, DeleteWithoutSpritesSaysSo)
{
    modal.Answer(IDOK);
    SendMessageA(g_subWork2.deleteButton, BM_CLICK, 0, 0);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "Message");
    EXPECT_EQ(modal.Seen()[0].text, "스프라이트가 없습니다");
}
