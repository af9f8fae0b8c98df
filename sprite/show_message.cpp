// The shell side of the sprite set: showing its failure text.
#include "sprite/sprite_set.h"

#include "app/text.h"

int SpriteSet::ShowMessage(HWND owner)
{
    return MessageBoxText(owner, message, "Error Messages...", MB_OK);
}
