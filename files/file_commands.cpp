// Shell code. The File commands that read and write the document. They belong to the canvas,
// which owns the file names and whose window owns every message box shown here.
#include <string>

#include "app/document.h"
#include "app/pages.h"
#include "app/picture.h"
#include "codec/sheet_reader.h"
#include "image/true_color.h"
#include "files/file_dialog.h"
#include "files/palette_commands.h"
#include "files/recent_menu.h"
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

// The canvas window's text: a file's title (UTF-8), as far as the window's code page holds it.
void ShowTitle(HWND window, const char* title)
{
    if (window != nullptr) SetWindowTextW(window, WideFromUtf8(title).c_str());
}

// Asks for a file to open on copies of the canvas's names: they change only once a file has
// opened, which `read(path, title)` does.
template <class Read>
int AskThenRead(HWND window, const char* filter, const char* extension, const char* lastPath,
                const char* lastTitle, Read read)
{
    char path[kFilePathBytes];
    char title[kFileTitleBytes];
    lstrcpynA(path, lastPath, sizeof path);
    lstrcpynA(title, lastTitle, sizeof title);
    if (!AskOpenFile(window, filter, path, title, extension)) {
        Repaint(window);
        return 0;
    }
    return read(path, title);
}

}  // namespace

int BmpChildWindow::OpenBitmap()
{
    return AskThenRead(window, kBitmapFilter, kBitmapExtension, bitmapPath, bitmapTitle,
                       [this](const char* path, const char* title) { return ReadBitmap(path, title); });
}

int BmpChildWindow::OpenBitmapFile(const char* path)
{
    const std::string name = path;  // the canvas's own names may be what is given
    return ReadBitmap(name.c_str(), FileTitleOf(name.c_str()));
}

int BmpChildWindow::ReadBitmap(const char* path, const char* title)
{
    // All or nothing: the picture is read into a buffer of its own and copied out whole before
    // anything the program shows changes. A failure leaves the picture, its sprite, the pages,
    // the palette and the names as they were. The reader goes by the name's ending (bmp, pcx,
    // png), else by the file's first bytes.
    ImageBuffer picture;
    if (!LoadSheet(picture, path)) {
        // A true-colour sheet of too many colours says how many and what to do.
        const std::string failed = picture.sheetColors > kMaxSheetColors
                                       ? std::string(picture.message) + "\n비트맵 읽기 실패(%s)"
                                       : std::string("비트맵 읽기 실패(%s)");
        ShowInfoNaming(window, failed.c_str(), path);
        return 0;
    }
    const int width = picture.Width(), height = picture.Height();
    uint8_t* whole = picture.CopyRegion(0, 0, width, height);
    if (whole == nullptr) {
        ShowInfo(window, "비트맵을 스프라이트로 전환 실패");
        return 0;
    }
    g_picture.Swap(picture);  // the earlier picture goes with `picture`, after its palette below
    lstrcpynA(bitmapPath, path, sizeof bitmapPath);
    lstrcpynA(bitmapTitle, title, sizeof bitmapTitle);
    if (!g_bmpPage.Create(width, height, 8, nullptr)) ShowInfo(window, "Bmp Page 초기화 실패");
    UsePalette(window, PicturePalette(g_picture));
    if (!pictureSet.TransToSpr(width, height, whole)) {
        // Only the sprite's record could not be had: the sheet shown and cut from must be the
        // picture now loaded, so the earlier picture's sprite goes rather than stand in for it.
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
    ShowTitle(window, bitmapTitle);
    NoteRecentFile(bitmapPath);
    return 1;
}

int BmpChildWindow::OpenSprite()
{
    return AskThenRead(window, kSpriteFilter, kSpriteExtension, spritePath, spriteTitle,
                       [this](const char* path, const char* title) { return ReadSprite(path, title); });
}

int BmpChildWindow::OpenSpriteFile(const char* path)
{
    const std::string name = path;  // the canvas's own names may be what is given
    return ReadSprite(name.c_str(), FileTitleOf(name.c_str()));
}

int BmpChildWindow::ReadSprite(const char* path, const char* title)
{
    // The document takes the file only when all of it is good; a refused file changes nothing.
    if (!g_document.Load(path)) {
        workSet.ShowMessage(window, path);
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
    ShowTitle(window, spriteTitle);
    NoteRecentFile(spritePath);
    return 1;
}

int BmpChildWindow::SaveSprite()
{
    char path[kFilePathBytes];
    char title[kFileTitleBytes];
    lstrcpynA(path, spritePath, sizeof path);
    lstrcpynA(title, spriteTitle, sizeof title);
    if (!AskSaveFile(window, kSpriteFilter, path, title, kSpriteExtension)) {
        Repaint(window);
        return 0;
    }
    return WriteSprite(path, title);
}

int BmpChildWindow::Save()
{
    const std::string file = g_document.FilePath();
    if (file.empty()) return SaveSprite();
    return WriteSprite(file.c_str(), FileTitleOf(file.c_str()));
}

int BmpChildWindow::WriteSprite(const char* path, const char* title)
{
    // A refused save keeps the old file whole and the set marked as changed.
    if (!g_document.Save(path)) {
        workSet.ShowMessage(window, path);
        return 0;
    }
    lstrcpynA(spritePath, path, sizeof spritePath);
    lstrcpynA(spriteTitle, title, sizeof spriteTitle);
    Repaint(window);
    NoteRecentFile(spritePath);
    return 1;
}
