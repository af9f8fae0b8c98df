// Files from anywhere: named on the command line, dropped on the window (a real HDROP), chosen
// from the recent files in the File menu and kept in RECENT.CFG.
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/document.h"
#include "app/open_files.h"
#include "app/pages.h"
#include "app/picture.h"
#include "image/palette.h"
#include "kit/text.h"
#include "resources/resource.h"
#include "settings/recent_files.h"
#include "tests/core/image_test_files.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"

namespace {

using OpenFilesTest = MainWindowTest;

// A palette file whose entries differ from any sheet's table here.
ByteBlock PaletteFile()
{
    ByteBlock bytes(1024);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 5 + 1);
    return bytes;
}

ByteBlock PaletteInUse()
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(g_palette);
    return g_palette != nullptr ? ByteBlock(bytes, bytes + 1024) : ByteBlock();
}

// A drop of `names` (UTF-8) as the shell makes one: a DROPFILES block with wide names.
HDROP MakeDrop(const std::vector<std::string>& names)
{
    std::wstring list;
    for (const std::string& name : names) list += WideFromUtf8(name.c_str()) + L'\0';
    list += L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

// The texts of the File menu's items, separators as "-".
std::vector<std::string> FileMenu(HWND window)
{
    std::vector<std::string> items;
    HMENU file = GetSubMenu(GetMenu(window), 0);
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        wchar_t text[256] = L"";
        GetMenuStringW(file, UINT(i), text, 256, MF_BYPOSITION);
        items.push_back(GetMenuItemID(file, i) == 0 ? "-" : Utf8FromWide(text));
    }
    return items;
}

const std::vector<std::string> kFileMenu = {
    "&New\tCtrl+N", "-", "&Open Bitmap\tCtrl+B", "O&pen Sprite\tCtrl+O", "Open &Palette", "-",
    "Sav&e\tCtrl+S", "&Save Sprite\tCtrl+Shift+S", "S&ave Palette", "Expo&rt...", "-"};

std::vector<std::string> FileMenuWith(const std::vector<std::string>& recent)
{
    std::vector<std::string> items = kFileMenu;
    for (size_t i = 0; i < recent.size(); ++i) items.push_back(RecentMenuText(int(i), recent[i]));
    if (!recent.empty()) items.push_back("-");
    items.push_back("E&xit");
    return items;
}

// The files of the tests, in the test's working folder.
struct Files {
    std::string sheet, otherSheet, palette, sprites, notes;
    TestPicture picture = PatternPicture(7, 5);
};

}  // namespace

class OpenNamedFilesTest : public OpenFilesTest {
protected:
    void PrepareWorkDir() override
    {
        files.sheet = WorkFile("sheet.bmp");
        files.otherSheet = WorkFile("other.PCX");
        files.palette = WorkFile("colors.pal");
        files.sprites = WorkFile("set.spr");
        files.notes = WorkFile("notes.txt");
        ASSERT_TRUE(WriteFileBytes(files.sheet, MakeBmp8(files.picture)));
        ASSERT_TRUE(WriteFileBytes(files.otherSheet, MakePcxOf(files.picture)));
        ASSERT_TRUE(WriteFileBytes(files.palette, PaletteFile()));
        ASSERT_TRUE(WriteFileBytes(files.notes, ByteBlock(10, 'n')));
        SpriteSet set;
        MakeSprites(set, {{4, 3}, {9, 2}});
        ASSERT_EQ(set.Save(files.sprites.c_str()), 1);
    }
    Files files;
};

TEST_F(OpenNamedFilesTest, TheCommandLinesNamesBecomeFullPaths)
{
    const std::wstring line = L"\"C:\\Program Files\\Quillon.exe\" \"" +
                              WideFromUtf8(files.sprites.c_str()) + L"\" colors.pal \"\"";
    EXPECT_EQ(CommandLineFiles(line.c_str()), (std::vector<std::string>{files.sprites, files.palette}));
    EXPECT_TRUE(CommandLineFiles(L"Quillon.exe").empty());
}

TEST_F(OpenNamedFilesTest, NamesOpenByTheirEndingTogetherOrNotAtAll)
{
    struct Case {
        const char* what;
        std::vector<std::string> names;
        bool sheet, palette, sprites;  // what opened
        std::string message;           // the one message shown, if any
    };
    const std::string missing = WorkFile("missing.spr");
    const Case cases[] = {
        {"a sprite file", {files.sprites}, false, false, true, "파레트 데이타가 없습니다."},
        {"a palette and a sheet: the palette wins", {files.palette, files.sheet}, true, true, false, ""},
        {"all three", {files.sprites, files.palette, files.otherSheet}, true, true, true, ""},
        {"a name of no kind", {files.sheet, files.notes},
         false, false, false, "스프라이트(.spr), 그림(.bmp .pcx .png), 파레트(.pal) 파일만 열 수 있습니다(" +
         files.notes + ")"},
        {"two sheets", {files.sheet, files.otherSheet}, false, false, false,
         "같은 종류의 파일은 한 번에 하나만 열 수 있습니다(" + files.otherSheet + ")"},
        {"a sprite file not there", {missing}, false, false, false, "파일이 없습니다(" + missing + ")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_document.New();
        pictureSet.Clear();
        g_palette = nullptr;
        modal.ClearSeen();
        if (!c.message.empty()) modal.Answer(IDOK);
        OpenNamedFiles(window, c.names);
        EXPECT_EQ(pictureSet.Count(), c.sheet ? 1 : 0);
        EXPECT_EQ(Widths(workSet), (c.sprites ? std::vector<int>{4, 9} : std::vector<int>{}));
        if (c.palette) EXPECT_EQ(PaletteInUse(), PaletteFile());
        else if (c.sheet) EXPECT_EQ(reinterpret_cast<RGBQUAD*>(g_palette), g_picture.ColorTable());
        ASSERT_EQ(modal.Seen().size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) EXPECT_EQ(modal.Seen()[0].text.substr(0, c.message.size()), c.message);
    }
}

TEST_F(OpenNamedFilesTest, DroppedFilesOpenAsTheCommandLinesDo)
{
    // A changed set: a dropped sprite file asks first, and Cancel opens nothing.
    MakeModifiedDocument();
    modal.Answer(IDCANCEL);
    SendMessageA(window, WM_DROPFILES, WPARAM(MakeDrop({files.sprites})), 0);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "New");
    EXPECT_EQ(workSet.Count(), 1);

    // A sheet and a palette, one of them of a name outside code page 949.
    const std::string greek = WorkFile("\xCF\x87\xCF\x81\xCF\x8E\xCE\xBC\xCE\xB1\xF0\x9F\x8E\xA8.pal");
    ASSERT_TRUE(MoveFileW(WideFromUtf8(files.palette.c_str()).c_str(), WideFromUtf8(greek.c_str()).c_str()));
    modal.ClearSeen();
    SendMessageA(window, WM_DROPFILES, WPARAM(MakeDrop({greek, files.sheet})), 0);
    EXPECT_TRUE(modal.Seen().empty());
    EXPECT_EQ(pictureSet.Count(), 1);
    EXPECT_EQ(PaletteInUse(), PaletteFile());
    EXPECT_STREQ(g_bmpChild.bitmapPath, files.sheet.c_str());
}

TEST_F(OpenNamedFilesTest, TheRecentFilesAreListedAboveExitAndOpenAgain)
{
    EXPECT_EQ(FileMenu(window), FileMenuWith({})) << "none yet";
    OpenNamedFiles(window, {files.sheet});
    OpenNamedFiles(window, {files.palette});
    OpenNamedFiles(window, {files.sprites});
    OpenNamedFiles(window, {files.sheet});  // again: it moves up
    const std::vector<std::string> latest = {files.sheet, files.sprites, files.palette};
    EXPECT_EQ(FileMenu(window), FileMenuWith(latest));
    EXPECT_EQ(ReadRecentFiles(WorkFile(kRecentFilesName).c_str()), latest);

    // A saved set's file comes first; entry 2 then opens the sheet again.
    OpenDocument({{2, 2}});
    const std::string saved = WorkFile("saved.spr");
    modal.Answer(IDOK, saved);
    Command(ID_SAVE_SPRITE);
    pictureSet.Clear();
    Command(ID_RECENT_FILE + 1);
    EXPECT_EQ(pictureSet.Count(), 1);
    EXPECT_EQ(FileMenu(window), FileMenuWith({files.sheet, saved, files.sprites, files.palette}));

    // One no longer there is said to be missing and leaves the list and the file.
    ASSERT_TRUE(DeleteFileA(files.palette.c_str()));
    modal.ClearSeen();
    modal.Answer(IDOK);
    Command(ID_RECENT_FILE + 3);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "파일이 없습니다(" + files.palette + ")");
    EXPECT_EQ(FileMenu(window), FileMenuWith({files.sheet, saved, files.sprites}));
    EXPECT_EQ(ReadRecentFiles(WorkFile(kRecentFilesName).c_str()),
              (RecentList{files.sheet, saved, files.sprites}));
}

// RECENT.CFG as the program finds it at start: here damaged (a name in code page 949).
class RecentFilesAtStartTest : public OpenFilesTest {
protected:
    void PrepareWorkDir() override
    {
        ASSERT_TRUE(WriteFileBytes(WorkFile(kRecentFilesName), ByteBlock(text.begin(), text.end())));
    }
    std::string text = std::string(kRecentFilesHeader) + "\r\nC:\\art\\hero.spr\r\nC:\\\xC7\xD1.spr\r\n";
};

TEST_F(RecentFilesAtStartTest, ADamagedListShowsNone)
{
    EXPECT_EQ(FileMenu(window), FileMenuWith({}));
}

class KeptRecentFilesTest : public RecentFilesAtStartTest {
protected:
    void PrepareWorkDir() override
    {
        text = std::string(kRecentFilesHeader) + "\r\nC:\\art\\hero.spr\r\nD:\\a & b\\sheet.png\r\n";
        RecentFilesAtStartTest::PrepareWorkDir();
    }
};

TEST_F(KeptRecentFilesTest, AListReadAtStartIsShown)
{
    EXPECT_EQ(FileMenu(window), FileMenuWith({"C:\\art\\hero.spr", "D:\\a & b\\sheet.png"}));
}
