// Random actions on the program's main window, as a careless user's hands would make them:
// clicks, drags, double and right clicks, keys, shortcuts and the wheel anywhere on the window,
// drags cut short before the button comes up, menu commands, and now and then a purposeful move
// (cut a sprite, save the set, open the sheet).
#pragma once

#include "monkey.h"

void MainWindowAction(Monkey& monkey);
