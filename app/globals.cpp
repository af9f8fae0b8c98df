// The global objects, in the order of their construction. C++ orders static construction only
// within one file, so all of them are defined here; each is declared in the header of what owns
// it. Destruction runs in the reverse order after the entry function returns.
#include "app/document.h"
#include "app/frame_rate_box.h"
#include "app/main_window.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "app/split_bar.h"
#include "app/toolbar.h"
#include "kit/status_bar.h"
#include "panels/edit_mode_window.h"
#include "panels/info_window.h"
#include "panels/sprite_info_window.h"
#include "panels/tree_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "views/animation.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"
#include "views/selection.h"

ImageBuffer g_picture;
DibPage g_bmpPage;
DibPage g_animPage;
DibPage g_selPage;
SpriteSet workSet;
SpriteSet pictureSet;
Document g_document(workSet);
AutoScroll g_autoScroll;
SprInfoWindow g_sprInfo;
EditModeWindow g_editMode;
TreeWin g_tree;
BmpChildWindow g_bmpChild;
InfoChildWindow g_infoChild;
SelChildWindow g_selChild;
WorkWindow g_work;
SubWork1Window g_subWork1;
SubWork2Window g_subWork2;
SplitBarWindow g_viewSplit;
SplitBarWindow g_workSplit;

HWND g_mainWnd = nullptr;
HINSTANCE g_instance = nullptr;
BYTE g_appActive = 1;
int g_frameInterval = 0;
DWORD g_lastFrameTime = 0;
int g_meterFrames = 0;
DWORD g_meterStart = 0;
int g_measuredFps = 0;
HWND g_toolbar = nullptr;
HWND g_fpsCombo = nullptr;
HWND g_statusBar = nullptr;
HMENU g_mainMenu = nullptr;
Options g_options = {};
EditorOptions g_editorOptions;
Palette* g_palette = nullptr;
int editTool = IDC_TOOL_HIT_BOX;
int showAnchor = 1;
int showCenter = 1;
int showHitBoxes = 1;
int showAtckBoxes = 1;
