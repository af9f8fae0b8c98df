// The four view modes of the View menu and the toolbar: all panes, the canvas alone, the
// information window alone, or the selection strip's pane alone.
#pragma once

// Shows and hides the panes for view command `command` (ID_VIEW_ALL .. ID_VIEW_SELECTION), marks
// it in the menu and on the toolbar, and lays out both split bars again.
void SetViewMode(int command);
