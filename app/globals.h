// Every piece of state of a run lives in these global objects. They are all defined in
// globals.cpp, in the one order in which they must be constructed (and, reversed, destroyed).
#pragma once

#include "app/options.h"
#include "app/split_bar.h"
#include "image/image_buffer.h"
#include "image/palette.h"
#include "platform/win32.h"
#include "render/dib_page.h"
#include "sprite/sprite_set.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"
#include "views/selection.h"
#include "panels/info_window.h"
#include "panels/edit_mode_window.h"
#include "panels/sprite_info_window.h"
#include "panels/tree_window.h"
#include "panels/work_windows.h"

// The picture and the pages.
extern ImageBuffer g_picture;  // the loaded picture sheet
extern DibPage g_bmpPage;      // the picture sheet as the canvas shows it
extern DibPage g_animPage;     // the animation and edit pages
extern DibPage g_selPage;      // scratch page for the selection strip's thumbnails

// The document objects.
extern SpriteSet workSet;     // the sprite file being edited
extern SpriteSet pictureSet;  // the loaded picture as one sprite

// The window objects.
extern AutoScroll g_autoScroll;
extern SprInfoWindow g_sprInfo;    // the "Sprite Info" page's panel
extern EditModeWindow g_editMode;  // the "Edit Mode" page's panel and its dialog
extern TreeWin g_tree;             // the "Tree Management" page's panel
extern BmpChildWindow g_bmpChild;
extern InfoChildWindow g_infoChild;
extern SelChildWindow g_selChild;
extern WorkWindow g_work;          // the area between the toolbar and the status bar
extern SubWork1Window g_subWork1;  // its upper pane: canvas and information window
extern SubWork2Window g_subWork2;  // its lower pane: buttons and selection strip
extern SplitBarWindow g_viewSplit;  // between the canvas and the information window
extern SplitBarWindow g_workSplit;  // between the upper and the lower pane

// Plain values of the shell.
extern HWND g_mainWnd;
extern HINSTANCE g_instance;
extern BYTE g_appActive;       // the idle loop animates only while this is non-zero
extern int g_modified;         // the sprite set has unsaved changes
extern int g_currentSprite;    // number of the current sprite, from 0
extern int g_frameInterval;    // milliseconds per frame: 1000 / frames per second
extern DWORD g_lastFrameTime;  // clock reading at which the frame gate last opened
extern int g_meterFrames;      // frames counted in the frame meter's current window
extern DWORD g_meterStart;     // clock reading at which that window began
extern int g_measuredFps;      // the rate the status line shows
extern HWND g_toolbar;
extern HWND g_fpsCombo;
extern HWND g_statusBar;
extern HMENU g_mainMenu;
extern Options g_options;  // zero until loaded when the main window is created
extern Palette* g_palette;  // colors in use: the picture's table, a palette file, or none

// The edit settings of the edit-mode dialog: the tool (one of its four radio buttons, 1040..1043)
// and the edit page's four marks.
extern int editTool;
extern int showAnchor;
extern int showCenter;
extern int showHitBoxes;
extern int showAtckBoxes;
