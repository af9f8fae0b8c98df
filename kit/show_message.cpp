// Shell code: the sprite set showing its failure text in a message box.
#include "sprite/sprite_set.h"

#include "kit/text.h"

int SpriteSet::ShowMessage(HWND owner)
{
    return MessageBoxText(owner, message, "Error Messages...", MB_OK);
}
