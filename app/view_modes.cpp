#include "app/view_modes.h"

#include "app/main_window.h"
#include "app/split_bar.h"
#include "app/toolbar.h"
#include "panels/info_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

constexpr int kHide = 0;
constexpr int kShow = 1;
constexpr int kKeep = 2;  // left as it is

struct ViewMode {
    int command;
    int upperPane, lowerPane, canvas, info, strip;
};

constexpr ViewMode kViewModes[] = {
    {ID_VIEW_ALL, kShow, kShow, kShow, kShow, kKeep},
    {ID_VIEW_BITMAP, kShow, kHide, kShow, kHide, kKeep},
    {ID_VIEW_INFO, kShow, kHide, kHide, kShow, kKeep},
    {ID_VIEW_SELECTION, kHide, kShow, kKeep, kKeep, kShow},
};

}  // namespace

void SetViewMode(int command)
{
    for (const ViewMode& mode : kViewModes) {
        if (mode.command != command) continue;
        g_subWork1.Show(mode.upperPane);
        g_subWork2.Show(mode.lowerPane);
        ShowPane(g_bmpChild.window, mode.canvas);
        ShowPane(g_infoChild.window, mode.info);
        ShowPane(g_selChild.window, mode.strip);

        CheckMenuRadioItem(g_mainMenu, ID_VIEW_ALL, ID_VIEW_SELECTION, UINT(command),
                           MF_BYCOMMAND);
        CheckToolbarButton(command);
        g_workSplit.Layout();
        g_viewSplit.Layout();
        return;
    }
}
