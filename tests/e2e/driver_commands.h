// Every command of Quillon's menu and toolbar, how a user reaches it, and which of them the run
// has used. The run ends by checking that each was used at least once, and tests/e2e/run-e2e
// compares the names printed here with the menu and toolbar the program is built from, so a
// command added later and left out of the run fails it.
#pragma once

#include <windows.h>

// Chooses the menu item of `command` from the keyboard (Alt, arrows, Enter).
void ChooseMenu(int command);
// Clicks the toolbar button of `command` where the toolbar says it is.
void ClickToolbar(HWND toolbar, int command);
// Fails unless the live toolbar holds exactly the buttons of the table, in order.
void CheckToolbarTable(HWND toolbar);
// Prints one "e2e covered menu NAME at MENU ITEM SUBITEM" / "e2e covered toolbar NAME" line for
// each command used (the place the keys went to) and fails when one of the table's commands was
// never used.
void CheckCoverage();
