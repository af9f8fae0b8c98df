// Shell code. The File commands that read and write the document. They belong to the canvas, which owns the
// file names and whose window owns every message box shown here.
#include "app/globals.h"
#include "image/file_dialog.h"

static void Repaint(HWND window)
{
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
}

int BmpChildWindow::SaveSprite()
{
    PrepareFileDialog(window, kSpriteFilter, spritePath, spriteTitle, kSaveDialogFlags,
                      kSpriteExtension);
    if (!GetSaveFileNameA(&g_fileDialog)) {
        Repaint(window);
        return 0;
    }
    if (!workSet.Save(spritePath)) {
        workSet.ShowMessage(window);
        return 0;
    }
    g_modified = 0;
    Repaint(window);
    return 1;
}
