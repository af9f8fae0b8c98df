// Resource and command numbers. The numbers are part of the program's interface (menus,
// toolbar, other windows send them); each is named once here.
#pragma once

// Resources
#define IDR_MAIN_MENU 101
#define IDI_QUILLON 103

// Bitmaps
#define IDB_TOOLBAR 111

// Cursors (cursor 120 and dialog 120 share their number; they are resources of different kinds)
#define IDC_SPLIT_VERTICAL 108
#define IDC_SPLIT_HORIZONTAL 109
#define IDC_CUTSPR 113
#define IDC_MOVE_RECT 114
#define IDC_SEL_HAND 117
#define IDC_SEL_DROP 118
#define IDC_SEL_NO_DROP 119
#define IDC_ADJUST_VIEW 120

// Commands of the main window (menu items, toolbar buttons, the frame-rate box)
#define ID_NEW 40001
#define ID_OPEN_BITMAP 40002
#define ID_SAVE_SPRITE 40003
#define ID_EXIT 40004
#define ID_OPEN_SPRITE 40005
#define ID_ABOUT 40006
#define ID_VIEW_ALL 40008
#define ID_VIEW_BITMAP 40009
#define ID_VIEW_INFO 40010
#define ID_VIEW_SELECTION 40011
#define ID_ZOOM_IN 40031
#define ID_ZOOM_OUT 40032
#define ID_ADJUST_VIEW 40033
#define ID_PLAY 40036
#define ID_STOP 40037
#define ID_PAUSE 40038
#define ID_BACK 40039
#define ID_FORWARD 40040
#define ID_OPTIONS 40042
#define ID_SEL_ZOOM_IN 40043
#define ID_SEL_ZOOM_OUT 40044
#define ID_OPEN_PALETTE 40046
#define ID_SAVE_PALETTE 40047
#define ID_FPS_CHANGED 40050
