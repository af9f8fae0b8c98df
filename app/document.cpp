#include "app/document.h"

#include "app/main_window.h"
#include "panels/edit_mode_window.h"
#include "panels/sprite_info_window.h"
#include "views/canvas.h"
#include "views/selection.h"

void OnDocumentChanged(const DocumentChange& change)
{
    g_selChild.OnDocumentChanged(change);
    g_bmpChild.OnDocumentChanged(change);
    g_sprInfo.OnDocumentChanged(change);
    g_editMode.OnDocumentChanged(change);
    OnMainDocumentChanged(change);
}
