// The File commands through their dialogs, answered by the responder with a typed path: the
// dialogs' settings, cancelling, the picture readers chosen by the name's ending, the palette
// warning, palette files, and the modified flag after saves that fail.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/pages.h"
#include "app/picture.h"
#include "files/file_dialog.h"
#include "kit/text.h"
#include "resources/resource.h"
#include "tests/core/image_test_files.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"

namespace {

using FileCommandsTest = MainWindowTest;

// A filter as the dialog gets it: pairs of zero-terminated texts, up to the final zero.
std::string FilterText(const wchar_t* filter)
{
    std::string text;
    for (const wchar_t* p = filter; *p != L'\0'; p += lstrlenW(p) + 1)
        text.append(TextFromWide(p)).push_back('|');
    return text;
}

std::string SeenList(const std::vector<SeenDialog>& seen)
{
    std::string list;
    for (const SeenDialog& dialog : seen) list += "\n  [" + dialog.caption + "] " + dialog.text;
    return list;
}

// A palette file whose 1024 bytes all differ from their neighbours, reserved bytes included.
ByteBlock PaletteBytes()
{
    ByteBlock bytes(1024);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7 + 3);
    return bytes;
}

ByteBlock PaletteInUse()
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(g_palette);
    return g_palette != nullptr ? ByteBlock(bytes, bytes + 1024) : ByteBlock();
}

// Everything an open may change, as bytes: the picture and its sprite, the three pages, the
// palette in use, the names.
struct OpenState {
    std::string pictureName;
    ByteBlock picture;  // size, bits, color table and rows
    ByteBlock sheetSprite;
    ByteBlock bmpPage;  // size, pixels and color table
    ByteBlock animColors, selColors;
    const Palette* palette;
    ByteBlock paletteBytes;
    std::string bitmapPath, bitmapTitle, canvasText;

    bool operator==(const OpenState& o) const
    {
        return pictureName == o.pictureName && picture == o.picture && sheetSprite == o.sheetSprite &&
               bmpPage == o.bmpPage && animColors == o.animColors && selColors == o.selColors &&
               palette == o.palette && paletteBytes == o.paletteBytes && bitmapPath == o.bitmapPath &&
               bitmapTitle == o.bitmapTitle && canvasText == o.canvasText;
    }
};

void Append(ByteBlock* into, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (bytes != nullptr) into->insert(into->end(), bytes, bytes + size);
}

ByteBlock PageColors(const DibPage& page)
{
    ByteBlock colors;
    if (page.info != nullptr) Append(&colors, page.info->bmiColors, sizeof(RGBQUAD) * 256);
    return colors;
}

OpenState CaptureOpenState()
{
    OpenState s;
    s.pictureName = g_picture.fileName;
    const int32_t numbers[] = {g_picture.Width(), g_picture.Height(), g_picture.bitCount,
                               g_picture.colorCount, g_picture.stride};
    Append(&s.picture, numbers, sizeof numbers);
    Append(&s.picture, g_picture.ColorTable(), sizeof(RGBQUAD) * size_t(g_picture.colorCount));
    Append(&s.picture, g_picture.Pixels(), size_t(g_picture.stride) * size_t(g_picture.Height()));
    if (pictureSet.Count() == 1) {
        const Sprite& sheet = pictureSet.sprites[0];
        Append(&s.sheetSprite, sheet.image, size_t(sheet.width) * size_t(sheet.height));
    }
    const int32_t page[] = {g_bmpPage.width, g_bmpPage.height};
    Append(&s.bmpPage, page, sizeof page);
    Append(&s.bmpPage, g_bmpPage.pixels, size_t(g_bmpPage.pitch) * size_t(g_bmpPage.height));
    const ByteBlock colors = PageColors(g_bmpPage);
    s.bmpPage.insert(s.bmpPage.end(), colors.begin(), colors.end());
    s.animColors = PageColors(g_animPage);
    s.selColors = PageColors(g_selPage);
    s.palette = g_palette;
    s.paletteBytes = PaletteInUse();
    s.bitmapPath = g_bmpChild.bitmapPath;
    s.bitmapTitle = g_bmpChild.bitmapTitle;
    char text[512] = "";
    GetWindowTextA(g_bmpChild.window, text, sizeof text);
    s.canvasText = text;
    return s;
}

const char kNoPaletteWarning[] =
    "파레트 데이타가 없습니다.\n\rBMP,PCX파일 혹은 파레트 파일을 읽어야 그림이 깨지지 않습니다.";

}  // namespace

TEST_F(FileCommandsTest, EachDialogIsMadeAsItsCommandNeedsAndCancelChangesNothing)
{
    struct Case {
        int command;
        std::string filter;
        const char* extension;
        DWORD flags;
    };
    const Case cases[] = {
        {ID_OPEN_BITMAP,
         "All image files (*.bmp;*.pcx;*.png)|*.bmp;*.pcx;*.png|Bitmap files (*.bmp)|*.bmp|"
         "PCX files    (*.pcx)|*.pcx|PNG files    (*.png)|*.png|All files(*.*)|*.*|",
         "bmp", 0x1804},
        {ID_OPEN_SPRITE, "Sprite Files (*.spr)|*.spr|All Files(*.*)|*.*|", "spr", 0x1804},
        {ID_SAVE_SPRITE, "Sprite Files (*.spr)|*.spr|All Files(*.*)|*.*|", "spr", 0x2006},
        {ID_OPEN_PALETTE, "Palette Files (*.pal)|*.pal|All Files(*.*)|*.*|", "pal", 0x1804},
        {ID_SAVE_PALETTE, "palette Files (*.pal)|*.pal|All Files(*.*)|*.*|", "pal", 0x2006},
    };
    GuiTempDir dir;
    const std::string proposed = dir.File("hero.spr");
    OpenDocument({{4, 3}, {5, 2}});
    lstrcpyA(g_bmpChild.spritePath, proposed.c_str());
    for (const Case& c : cases) {
        modal.ClearSeen();
        modal.Answer(IDCANCEL);
        Command(c.command);
        ASSERT_EQ(modal.Seen().size(), 1u) << c.command << ": the file dialog alone"
                                           << SeenList(modal.Seen());
        EXPECT_EQ(FilterText(g_fileDialog.lpstrFilter), c.filter);
        EXPECT_EQ(TextFromWide(g_fileDialog.lpstrDefExt), c.extension);
        EXPECT_EQ(g_fileDialog.Flags, c.flags);
        EXPECT_EQ(g_fileDialog.nMaxFile, 260u);
        EXPECT_EQ(g_fileDialog.nMaxFileTitle, 512u);
        EXPECT_EQ(g_fileDialog.lpstrInitialDir, nullptr);
        EXPECT_EQ(Widths(workSet), (std::vector<int>{4, 5}));
        EXPECT_EQ(pictureSet.Count(), 0);
        EXPECT_EQ(g_palette, nullptr);
        EXPECT_FALSE(g_document.Modified());
        EXPECT_STREQ(g_bmpChild.spritePath, proposed.c_str());
        EXPECT_STREQ(g_bmpChild.bitmapPath, "");
    }
}

TEST_F(FileCommandsTest, OpenBitmapPicksTheReaderByTheNamesEnding)
{
    GuiTempDir dir;
    const TestPicture picture = PatternPicture(7, 5);
    const ByteBlock bmp = MakeBmp8(picture), pcx = MakePcxOf(picture);
    struct Case {
        const char* name;
        ByteBlock bytes;
        bool loads;
    };
    // bmp and pcx in any case choose one reader; any other ending tries BMP, then PCX.
    const Case cases[] = {
        {"a.BMP", bmp, true},  {"b.Pcx", pcx, true},  {"c.dat", pcx, true}, {"d.dat", bmp, true},
        {"e.bmp", pcx, false}, {"f.PCX", bmp, false}, {"g.dat", ByteBlock(100, 1), false},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        pictureSet.Clear();
        g_bmpChild.bitmapPath[0] = '\0';  // the dialog proposes no name of its own
        g_bmpChild.playing = 1;
        modal.ClearSeen();
        modal.Answer(IDOK, path);
        if (!c.loads) modal.Answer(IDOK);
        Command(ID_OPEN_BITMAP);
        EXPECT_EQ(g_bmpChild.playing, 0) << c.name << ": Open Bitmap stops playback";
        EXPECT_STREQ(g_bmpChild.bitmapPath, c.loads ? path.c_str() : "");
        if (!c.loads) {
            ASSERT_EQ(modal.Seen().size(), 2u) << c.name << SeenList(modal.Seen());
            EXPECT_EQ(modal.Seen()[1].caption, "Message");
            EXPECT_EQ(modal.Seen()[1].text, "비트맵 읽기 실패(" + path + ")");
            EXPECT_EQ(pictureSet.Count(), 0);
            continue;
        }
        EXPECT_EQ(modal.Seen().size(), 1u) << c.name << SeenList(modal.Seen());
        EXPECT_STREQ(g_bmpChild.bitmapTitle, c.name);
        ASSERT_EQ(pictureSet.Count(), 1) << c.name;
        const Sprite& sprite = pictureSet.sprites[0];
        EXPECT_EQ(sprite.width, 7);
        EXPECT_EQ(sprite.height, 5);
        EXPECT_EQ(ByteBlock(sprite.image, sprite.image + 35), picture.pixels);
        EXPECT_EQ(g_bmpPage.width, 7);
        EXPECT_EQ(g_bmpPage.height, 5);
        EXPECT_EQ(reinterpret_cast<RGBQUAD*>(g_palette), g_picture.ColorTable());
        const RGBQUAD& entry = g_bmpPage.info->bmiColors[200];
        EXPECT_EQ(entry.rgbRed, g_palette->entries[200].rgbRed) << "the pages got the colors";
        EXPECT_EQ(entry.rgbBlue, g_palette->entries[200].rgbBlue);
    }
}

// Opening is all or nothing: a picture or palette file that does not load, for whatever reason,
// leaves the picture, its sprite, the pages, the palette and the names exactly as they were (and
// the picture still cuts), with an earlier picture's palette in use and with a palette file's.
TEST_F(FileCommandsTest, AFailedOpenLeavesEverythingAsItWas)
{
    GuiTempDir dir;
    const std::string earlier = dir.File("earlier.bmp"), colors = dir.File("colors.pal");
    ASSERT_TRUE(WriteFileBytes(earlier, MakeBmp8(PatternPicture(9, 4))));
    ASSERT_TRUE(WriteFileBytes(colors, PaletteBytes()));

    BmpFields sixteen;
    sixteen.width = 6;
    sixteen.height = 2;
    sixteen.bits = 4;
    sixteen.table = TestColorTable(16);
    sixteen.pixels = ByteBlock(2 * RowBytes(6, 4), 0x12);
    PcxFields fourPlanes;
    fourPlanes.xmax = 3;
    fourPlanes.ymax = 1;
    fourPlanes.planes = 4;
    const ByteBlock sheet = MakeBmp8(PatternPicture(7, 5));
    const ByteBlock pcx = MakePcxOf(PatternPicture(7, 5));
    struct Case {
        int command;
        const char* name;
        bool exists;
        ByteBlock bytes;
        const char* text;
    };
    const char* kUnread = "비트맵 읽기 실패";
    const Case cases[] = {
        {ID_OPEN_BITMAP, "missing.bmp", false, {}, kUnread},
        {ID_OPEN_BITMAP, "empty.bmp", true, {}, kUnread},
        {ID_OPEN_BITMAP, "short.bmp", true, ByteBlock(sheet.begin(), sheet.begin() + 60), kUnread},
        {ID_OPEN_BITMAP, "pcx.bmp", true, pcx, kUnread},
        {ID_OPEN_BITMAP, "planes.pcx", true, MakePcx(fourPlanes), kUnread},
        {ID_OPEN_BITMAP, "noise.dat", true, ByteBlock(100, 1), kUnread},
        {ID_OPEN_BITMAP, "sixteen.bmp", true, MakeBmp(sixteen), "비트맵을 스프라이트로 전환 실패"},
        {ID_OPEN_PALETTE, "missing.pal", false, {}, "파일이 없습니다."},
    };
    for (bool paletteFile : {false, true}) {
        SCOPED_TRACE(paletteFile ? "a palette file in use" : "the picture's palette in use");
        modal.Answer(IDOK, earlier);
        Command(ID_OPEN_BITMAP);
        if (paletteFile) {
            modal.Answer(IDOK, colors);
            Command(ID_OPEN_PALETTE);
        }
        PumpMessages();
        ASSERT_EQ(pictureSet.Count(), 1);
        const OpenState before = CaptureOpenState();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const std::string path = dir.File(c.name);
            if (c.exists) ASSERT_TRUE(WriteFileBytes(path, c.bytes));
            modal.ClearSeen();
            modal.Answer(IDOK);
            // By name, as a drop or the command line gives it: the open dialogs themselves take
            // only a file that exists.
            if (c.command == ID_OPEN_BITMAP)
                EXPECT_EQ(g_bmpChild.OpenBitmapFile(path.c_str()), 0);
            else
                EXPECT_EQ(g_bmpChild.OpenPaletteFile(path.c_str()), 0);
            PumpMessages();
            ASSERT_FALSE(modal.Seen().empty());
            EXPECT_EQ(modal.Seen().back().text.rfind(c.text, 0), 0u) << modal.Seen().back().text;
            EXPECT_TRUE(CaptureOpenState() == before);
            uint8_t* cut = g_picture.CopyRegion(1, 1, 3, 2);
            EXPECT_NE(cut, nullptr) << "the picture still cuts";
            std::free(cut);
        }
    }
}

TEST_F(FileCommandsTest, OpenSpriteWarnsWithoutAPaletteAndStillOpens)
{
    GuiTempDir dir;
    const std::string setPath = dir.File("set.spr"), palettePath = dir.File("colors.pal");
    MakeSprites(workSet, {{4, 3}, {9, 2}, {5, 1}});
    ASSERT_EQ(workSet.Save(setPath.c_str()), 1);
    ASSERT_TRUE(WriteFileBytes(palettePath, PaletteBytes()));
    for (bool withPalette : {false, true}) {
        if (withPalette) {
            modal.Answer(IDOK, palettePath);
            Command(ID_OPEN_PALETTE);
        }
        OpenDocument({{1, 1}, {2, 1}, {3, 1}}, 2);
        modal.ClearSeen();
        modal.Answer(IDOK, setPath);
        if (!withPalette) modal.Answer(IDOK);
        Command(ID_OPEN_SPRITE);
        EXPECT_EQ(Widths(workSet), (std::vector<int>{4, 9, 5}));
        EXPECT_EQ(g_document.Current(), 0);
        EXPECT_FALSE(g_document.Modified());
        EXPECT_STREQ(g_bmpChild.spriteTitle, "set.spr");
        ASSERT_EQ(modal.Seen().size(), withPalette ? 1u : 2u);
        if (!withPalette) {
            EXPECT_EQ(modal.Seen()[1].caption, "경고");
            EXPECT_EQ(modal.Seen()[1].text, kNoPaletteWarning);
        }
    }
}

TEST_F(FileCommandsTest, OpenSpriteStopsPlaybackBeforeItsDialogOnEveryAnswer)
{
    GuiTempDir dir;
    struct Case {
        int modified;
        std::vector<int> answers;          // the save question, then the save and open dialogs
        std::vector<int> playingAtDialog;  // playback state as each dialog came up
    };
    const Case cases[] = {
        {0, {IDCANCEL}, {0}},
        {1, {IDNO, IDCANCEL}, {1, 0}},
        {1, {IDYES, IDOK, IDCANCEL}, {1, 1, 0}},
        {1, {IDCANCEL}, {1}},
    };
    for (const Case& c : cases) {
        OpenDocument({{2, 1}});
        if (c.modified) {
            ASSERT_EQ(g_document.SetRelative(0, 1, 0), 1);
        }
        g_bmpChild.playing = 1;
        std::vector<int> playing;
        DialogWatcher watcher([&playing] { playing.push_back(g_bmpChild.playing); });
        for (int answer : c.answers)
            modal.Answer(answer, answer == IDOK ? dir.File("saved.spr") : std::string());
        Command(ID_OPEN_SPRITE);
        EXPECT_EQ(playing, c.playingAtDialog);
        EXPECT_EQ(g_bmpChild.playing, c.playingAtDialog.back());
    }
}

TEST_F(FileCommandsTest, AnOpenDialogTakesOnlyAFileThatExists)
{
    GuiTempDir dir;
    const std::string path = dir.File("missing.spr");
    OpenDocument({{2, 1}});
    for (int command : {ID_OPEN_BITMAP, ID_OPEN_SPRITE, ID_OPEN_PALETTE}) {
        modal.ClearSeen();
        modal.Answer(IDOK, path);
        modal.Answer(IDOK);           // the dialog's own word that there is no such file
        modal.AnswerAgain(IDCANCEL);  // the dialog, still open, is cancelled
        Command(command);
        ASSERT_EQ(modal.Seen().size(), 2u) << command << SeenList(modal.Seen());
        EXPECT_NE(modal.Seen()[1].caption, "Message") << "the program was never asked";
        EXPECT_NE(modal.Seen()[1].caption, "Error Messages...");
        EXPECT_EQ(Widths(workSet), (std::vector<int>{2}));
        EXPECT_EQ(pictureSet.Count(), 0);
        EXPECT_EQ(g_palette, nullptr);
        EXPECT_FALSE(FileExistsA(path));
    }
}

TEST_F(FileCommandsTest, APaletteFileRoundTripsByteForByte)
{
    GuiTempDir dir;
    const std::string in = dir.File("in.pal"), out = dir.File("out.pal");
    ByteBlock longer = PaletteBytes();
    longer.resize(2000, 0xAB);  // only the first 1024 bytes are the palette
    ASSERT_TRUE(WriteFileBytes(in, longer));
    modal.Answer(IDOK, in);
    Command(ID_OPEN_PALETTE);
    EXPECT_EQ(PaletteInUse(), PaletteBytes());
    modal.Answer(IDOK, out);
    Command(ID_SAVE_PALETTE);
    EXPECT_EQ(ReadFileBytes(out), PaletteBytes());
    EXPECT_TRUE(modal.Seen().size() == 2u) << "no message on success";

    // A picture's color table is saved exactly as the picture holds it.
    const std::string sheet = dir.File("sheet.bmp"), sheetPalette = dir.File("sheet.pal");
    ASSERT_TRUE(WriteFileBytes(sheet, MakeBmp8(PatternPicture(3, 3))));
    modal.Answer(IDOK, sheet);
    Command(ID_OPEN_BITMAP);
    modal.Answer(IDOK, sheetPalette);
    Command(ID_SAVE_PALETTE);
    EXPECT_EQ(ReadFileBytes(sheetPalette), TestColorTable(256));
}

TEST_F(FileCommandsTest, PaletteFailuresAreShownAndChangeNothing)
{
    GuiTempDir dir;
    const std::string missing = dir.File("missing.pal");
    const std::string noFolder = dir.File("nofolder\\out.pal");
    // Saving with no palette in use; reading a file that is no palette (a folder).
    modal.Answer(IDOK, missing);
    modal.Answer(IDOK);
    Command(ID_SAVE_PALETTE);
    ASSERT_FALSE(modal.Seen().empty());
    EXPECT_EQ(modal.Seen().back().caption, "ERROR");
    EXPECT_EQ(modal.Seen().back().text, "저장할 파레트 데이타가 없습니다.");
    EXPECT_FALSE(FileExistsA(missing));
    modal.ClearSeen();
    modal.Answer(IDOK);
    EXPECT_EQ(g_bmpChild.OpenPaletteFile(dir.Path().c_str()), 0);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "ERROR");
    EXPECT_EQ(modal.Seen()[0].text, "파일이 없습니다.");
    EXPECT_EQ(g_palette, nullptr);
    // With a palette in use, a file that cannot be written.
    const std::string good = dir.File("good.pal");
    ASSERT_TRUE(WriteFileBytes(good, PaletteBytes()));
    modal.Answer(IDOK, good);
    Command(ID_OPEN_PALETTE);
    modal.ClearSeen();
    modal.Answer(IDOK, noFolder);
    modal.Answer(IDOK);
    Command(ID_SAVE_PALETTE);
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(modal.Seen()[1].caption, "ERROR");
    EXPECT_EQ(modal.Seen()[1].text, "파일을 기록할 수 없습니다.");
    EXPECT_EQ(PaletteInUse(), PaletteBytes());
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheSetMarkedChanged)
{
    GuiTempDir dir;
    const std::string noFolder = dir.File("nofolder\\set.spr");
    struct Case {
        std::vector<SpriteSize> sprites;
        std::string path;
        std::string text;
    };
    const Case cases[] = {
        {{}, dir.File("empty.spr"), "저장할 스프라이트가 없습니다."},
        {{{2, 1}}, noFolder, "파일생성 실패 (" + noFolder + ")"},
    };
    for (const Case& c : cases) {
        // A changed set: one sprite moved, or the only one deleted.
        OpenDocument({{2, 1}});
        ASSERT_EQ(c.sprites.empty() ? g_document.Delete(0) : g_document.SetRelative(0, 1, 0), 1);
        modal.ClearSeen();
        modal.Answer(IDOK, c.path);
        modal.Answer(IDOK);
        Command(ID_SAVE_SPRITE);
        ASSERT_EQ(modal.Seen().size(), 2u);
        EXPECT_EQ(modal.Seen()[1].caption, "Error Messages...");
        EXPECT_EQ(modal.Seen()[1].text, c.text);
        EXPECT_TRUE(g_document.Modified());
        EXPECT_FALSE(FileExistsA(c.path));
    }
}

TEST_F(FileCommandsTest, ASaveTakesTheDefaultExtensionAndClearsTheChangedMark)
{
    GuiTempDir dir;
    const std::string path = dir.File("round");
    OpenDocument({{3, 2}, {1, 5}});
    ASSERT_EQ(g_document.SetRelative(1, 4, 4), 1);
    modal.Answer(IDOK, path);
    Command(ID_SAVE_SPRITE);
    EXPECT_FALSE(g_document.Modified());
    EXPECT_STREQ(g_bmpChild.spritePath, (path + ".spr").c_str());
    EXPECT_TRUE(FileExistsA(path + ".spr"));
}
