// Shell code. The File commands that read and write the document. They belong to the canvas,
// which owns the file names and whose window owns every message box shown here.
#include "app/document.h"
#include "app/pages.h"
#include "app/picture.h"
#include "codec/sheet_reader.h"
#include "image/true_color.h"
#include "files/file_dialog.h"
#include "files/palette_commands.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "panels/sprite_info_window.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

void Repaint(HWND window)
{
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

int BmpChildWindow::OpenBitmap()
{
    PrepareFileDialog(window, kBitmapFilter, bitmapPath, bitmapTitle, kOpenDialogFlags,
                      kBitmapExtension);
    if (!GetOpenFileNameA(&g_fileDialog)) {
        Repaint(window);
        return 0;
    }
    // The readers release the picture first; a palette that lived in its color table goes too.
    const bool paletteInPicture =
        g_palette != nullptr && g_palette == PicturePalette(g_picture);
    // The reader by the name's ending (bmp, pcx, png), else by the file's first bytes.
    if (!LoadSheet(g_picture, bitmapPath)) {
        if (paletteInPicture) g_palette = nullptr;
        // A true-colour sheet of too many colours says how many and what to do.
        if (g_picture.sheetColors > kMaxSheetColors)
            ShowInfo(window, "%s\n비트맵 읽기 실패(%s)", g_picture.message, bitmapPath);
        else
            ShowInfo(window, "비트맵 읽기 실패(%s)", bitmapPath);
        return 0;
    }
    const int width = g_picture.Width(), height = g_picture.Height();
    if (!g_bmpPage.Create(width, height, 8, nullptr)) ShowInfo(window, "Bmp Page 초기화 실패");
    UsePalette(window, PicturePalette(g_picture));
    if (!pictureSet.TransToSpr(width, height, g_picture.CopyRegion(0, 0, width, height))) {
        // The sheet shown and cut from must be the picture now loaded: the earlier picture's
        // sprite goes rather than being shown on (and cut as) the new one.
        pictureSet.Clear();
        RefreshPage();
        Repaint(window);
        ShowInfo(window, "비트맵을 스프라이트로 전환 실패");
        return 0;
    }
    RefreshPage();
    // Sprites cut from an earlier sheet stay, but their history starts here.
    g_document.ForgetHistory();
    g_sprInfo.Refresh();
    Repaint(g_selChild.window);
    Repaint(window);
    // The title is the name the file dialog gave, in the system's code page.
    if (window != nullptr) SetWindowTextA(window, bitmapTitle);
    return 1;
}

int BmpChildWindow::OpenSprite()
{
    // The dialog works on copies: the names change only when a file was opened.
    char path[kFilePathSize];
    char title[kFileTitleSize];
    lstrcpynA(path, spritePath, sizeof path);
    lstrcpynA(title, spriteTitle, sizeof title);
    PrepareFileDialog(window, kSpriteFilter, path, title, kOpenDialogFlags, kSpriteExtension);
    if (!GetOpenFileNameA(&g_fileDialog)) {
        Repaint(window);
        return 0;
    }
    // The document takes the file only when all of it is good; a refused file changes nothing.
    if (!g_document.Load(path)) {
        workSet.ShowMessage(window);
        return 0;
    }
    lstrcpynA(spritePath, path, sizeof spritePath);
    lstrcpynA(spriteTitle, title, sizeof spriteTitle);
    if (g_palette == nullptr)
        MessageBoxText(window,
                       "파레트 데이타가 없습니다.\n\rBMP,PCX파일 혹은 파레트 파일을 읽어야 그림이 "
                       "깨지지 않습니다.",
                       "경고", MB_OK | MB_ICONWARNING);
    RefreshPage();
    Repaint(window);
    if (window != nullptr) SetWindowTextA(window, spriteTitle);
    return 1;
}

int BmpChildWindow::SaveSprite()
{
    char path[kFilePathSize];
    char title[kFileTitleSize];
    lstrcpynA(path, spritePath, sizeof path);
    lstrcpynA(title, spriteTitle, sizeof title);
    PrepareFileDialog(window, kSpriteFilter, path, title, kSaveDialogFlags, kSpriteExtension);
    if (!GetSaveFileNameA(&g_fileDialog)) {
        Repaint(window);
        return 0;
    }
    // A refused save keeps the old file whole and the set marked as changed.
    if (!g_document.Save(path)) {
        workSet.ShowMessage(window);
        return 0;
    }
    lstrcpynA(spritePath, path, sizeof spritePath);
    lstrcpynA(spriteTitle, title, sizeof spriteTitle);
    Repaint(window);
    return 1;
}
