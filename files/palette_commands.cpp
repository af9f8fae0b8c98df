// Shell code. The palette commands of the File menu. A palette read from a file is a block that
// these commands own: it stays in use until the next palette file is read (which releases it) or
// a picture is opened, and is released at exit.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/pages.h"
#include "app/picture.h"
#include "files/file_dialog.h"
#include "files/palette_commands.h"
#include "image/palette_file.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "panels/sprite_info_window.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

struct FreeBlock {
    void operator()(void* block) const { std::free(block); }
};

std::unique_ptr<Palette, FreeBlock> s_filePalette;  // the last palette read from a file
Palette s_shortTablePalette;                         // a short picture table, made whole

void Repaint(HWND window)
{
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
}

void ShowError(HWND owner, const char* text)
{
    MessageBoxText(owner, text, "ERROR", MB_OK | MB_ICONWARNING);
}

}  // namespace

void UsePalette(HWND owner, Palette* palette)
{
    g_palette = palette;
    DibPage* const pages[] = {&g_bmpPage, &g_animPage, &g_selPage};
    for (DibPage* page : pages)
        if (!page->SetPalette(palette))
            ShowInfo(owner, "RGBQUAD파레트 인식 실패 RGBQUAD 포인터 = %d",
                     int(reinterpret_cast<intptr_t>(palette)));
}

Palette* PicturePalette(const ImageBuffer& picture)
{
    RGBQUAD* table = picture.ColorTable();
    if (table == nullptr || picture.colorCount <= 0) return nullptr;
    if (picture.colorCount >= kPaletteEntries) return reinterpret_cast<Palette*>(table);
    std::memset(&s_shortTablePalette, 0, sizeof s_shortTablePalette);
    std::memcpy(s_shortTablePalette.entries, table, sizeof(RGBQUAD) * size_t(picture.colorCount));
    return &s_shortTablePalette;
}

int BmpChildWindow::OpenPalette()
{
    char path[kFilePathSize] = "";
    char title[kFileTitleSize] = "";
    PrepareFileDialog(window, kOpenPaletteFilter, path, title, kOpenDialogFlags,
                      kPaletteExtension);
    if (!GetOpenFileNameA(&g_fileDialog)) {
        Repaint(window);
        return 0;
    }
    Palette* palette = ReadPaletteFile(path);
    if (palette == nullptr) {
        ShowError(window, "파일이 없습니다.");
        return 0;
    }
    s_filePalette.reset(palette);  // the earlier file's palette, if any, is released
    UsePalette(window, palette);
    // The sprite information panel, which shows colors too, comes with the information window's
    // pages; it is to be repainted here once it exists.
    g_sprInfo.Refresh();
    Repaint(g_selChild.window);
    Repaint(window);
    return 1;
}

int BmpChildWindow::SavePalette()
{
    char path[kFilePathSize] = "";
    char title[kFileTitleSize] = "";
    PrepareFileDialog(window, kSavePaletteFilter, path, title, kSaveDialogFlags,
                      kPaletteExtension);
    if (!GetSaveFileNameA(&g_fileDialog)) {
        Repaint(window);
        return 0;
    }
    if (g_palette == nullptr) {
        ShowError(window, "저장할 파레트 데이타가 없습니다.");
        return 0;
    }
    if (!WritePaletteFile(path, *g_palette)) {
        ShowError(window, "파일을 기록할 수 없습니다.");
        return 0;
    }
    Repaint(window);
    return 1;
}
