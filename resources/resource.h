// Resource, control and command numbers. The numbers are part of the program's interface (menus,
// toolbar, dialogs and other windows send them); each is named once here, in blocks by kind.
#pragma once

// Menu
#define IDR_MAIN_MENU 101

// Keys: the accelerator table of the main window
#define IDR_KEYS 150

// Icon
#define IDI_QUILLON 103

// Bitmaps
#define IDB_TOOLBAR 111  // seventeen 16 x 15 toolbar pictures (and one spare) side by side

// Cursors. Cursor 120 and dialog 120 share a number; resources of different kinds may.
#define IDC_SPLIT_VERT 108   // over a vertical split bar: drag left and right
#define IDC_SPLIT_HORZ 109   // over a horizontal split bar: drag up and down
#define IDC_CUTSPR 113       // canvas: cutting a sprite
#define IDC_MOVE 114         // canvas: moving the cut rectangle or a coordinate
#define IDC_SEL_HAND 117     // selection strip: over a thumbnail
#define IDC_SEL_DROP 118     // selection strip: dragging over another thumbnail
#define IDC_SEL_NODROP 119   // selection strip: dragging over no place to drop
#define IDC_ADJUST 120       // canvas: moving the anchor point

// Dialogs
#define IDD_ABOUT 104
#define IDD_DELETE 115
#define IDD_OPTIONS 116
#define IDD_EDIT_MODE 120
#define IDD_COPY_BOXES 130

// Controls of the options dialog (116)
#define IDC_MODE_320X200 1014
#define IDC_MODE_320X240 1015
#define IDC_MODE_400X300 1016
#define IDC_MODE_512X384 1017
#define IDC_MODE_640X480 1018
#define IDC_MODE_800X600 1019
#define IDC_MODE_1024X768 1020
#define IDC_FULL_SCREEN 1021
#define IDC_BACK_COLOR 1027
#define IDC_HIT_BOX_COLOR 1028
#define IDC_ATCK_BOX_COLOR 1029
#define IDC_CROSS_HAIR 1030
#define IDC_REL_CROSS_COLOR 1031
#define IDC_COMPRESS_SPRITES 1045
#define IDC_AUTO_HIT_BOX 1046
#define IDC_AUTO_ATCK_BOX 1047

// Controls of the delete dialog (115)
#define IDC_DELETE_SELECTED 1003
#define IDC_DELETE_RANGE 1004
#define IDC_RANGE_FIRST 1005
#define IDC_RANGE_LAST 1006
#define IDC_RANGE_GROUP 1013
#define IDC_RANGE_FIRST_SPIN 1024
#define IDC_RANGE_LAST_SPIN 1025

// Controls of the edit-mode dialog (120)
#define IDC_TOOL_RELATIVE 1040
#define IDC_TOOL_CENTER 1041
#define IDC_TOOL_HIT_BOX 1042
#define IDC_TOOL_ATCK_BOX 1043
#define IDC_EDIT_COMPRESS 1046  // same number as the options dialog's 1046, another dialog
#define IDC_BOX_LIST 1047       // same number as the options dialog's 1047, another dialog
#define IDC_SHOW_ANCHOR 1050
#define IDC_SHOW_HIT_BOXES 1051
#define IDC_SHOW_ATCK_BOXES 1052
#define IDC_SHOW_CENTER 1053
// What came after the first controls: choosing and typing boxes and coordinates, the onion skin.
#define IDC_DELETE_BOX 1060
#define IDC_EDIT_RX 1061
#define IDC_EDIT_RY 1062
#define IDC_EDIT_MX 1063
#define IDC_EDIT_MY 1064
#define IDC_ONION_PREVIOUS 1065
#define IDC_ONION_NEXT 1066

// Controls of the copy-boxes dialog (130)
#define IDC_COPY_TO_NEXT 1101
#define IDC_COPY_TO_ALL 1102
#define IDC_COPY_TO_RANGE 1103
#define IDC_COPY_FIRST 1104
#define IDC_COPY_LAST 1105
#define IDC_COPY_HIT_BOXES 1106
#define IDC_COPY_ATCK_BOXES 1107
#define IDC_COPY_REPLACE 1108
#define IDC_COPY_ADD 1109

// Control identifiers of the main window's children
#define IDC_TOOLBAR 1
#define IDC_STATUS_BAR 2

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
#define ID_FPS_CHANGED 40050  // also the frame-rate box's control identifier

// Commands that came after the first ones: the Edit menu's from 40051, the keys and files of the
// File menu from 40060, the box workflow's from 40100. Each block keeps to its own numbers.
#define ID_UNDO 40051
#define ID_REDO 40052
#define ID_SAVE 40060             // File > Save, Ctrl+S: to the set's own file
#define ID_PLAY_STOP 40061        // Space: Play, or Stop while playing
#define ID_PREVIOUS_SPRITE 40062  // Left: the sprite before the current one (a step back when paused)
#define ID_NEXT_SPRITE 40063      // Right: the sprite after it (a step forward when paused)
#define ID_FIRST_SPRITE 40064     // Home
#define ID_LAST_SPRITE 40065      // End
#define ID_DELETE_SPRITE 40066    // Delete: the delete dialog
#define ID_CANCEL 40067           // Esc: drops the cut rectangle, ends what the mouse was doing
#define ID_EXPORT 40068           // File > Export...: PNGs and JSON as quillon-cli export writes them
#define ID_RECENT_FILE 40070      // File > the recent files, 40070 to 40077, the latest first
#define ID_RECENT_FILE_LAST 40077
#define ID_COPY_BOXES 40100  // Edit > Copy Boxes...: the current sprite's boxes to others
#define ID_CUT_ALL 40101     // Edit > Cut All: every figure of the sheet (or the cut rectangle)
#define ID_FLIP_HORIZONTAL 40120  // the preview mirrored left-right (edit and animation pages)
#define ID_FLIP_VERTICAL 40121    // and top-bottom

// Commands of the lower work pane (its buttons' identifiers)
#define IDC_SEL_ZOOM_IN_BUTTON 1
#define IDC_SEL_ZOOM_OUT_BUTTON 2
#define IDC_DELETE_BUTTON 3
