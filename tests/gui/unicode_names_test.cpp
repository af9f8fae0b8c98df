// Names of files outside code page 949 (Greek with its accents, a dragon from the emoji): chosen
// in the file dialogs, opened, saved and named in the program's messages as they are.
#include <string>
#include <vector>

#include "app/document.h"
#include "app/picture.h"
#include "kit/text.h"
#include "resources/resource.h"
#include "tests/core/image_test_files.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"

namespace {

using UnicodeNamesTest = MainWindowTest;

// "σκίτσο-🐉": the accented iota and the dragon are in no Korean code page.
const char kSketch[] = "\xCF\x83\xCE\xBA\xCE\xAF\xCF\x84\xCF\x83\xCE\xBF-\xF0\x9F\x90\x89";

bool WriteWide(const std::string& utf8Path, const ByteBlock& bytes)
{
    HANDLE file = CreateFileW(WideFromUtf8(utf8Path.c_str()).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool ExistsWide(const std::string& utf8Path)
{
    return GetFileAttributesW(WideFromUtf8(utf8Path.c_str()).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TEST_F(UnicodeNamesTest, ASheetAndASpriteFileOfSuchNamesOpenAndSave)
{
    GuiTempDir dir;
    // A folder of such a name too, so every part of the path is tried.
    const std::string folder = dir.File(kSketch);
    ASSERT_TRUE(CreateDirectoryW(WideFromUtf8(folder.c_str()).c_str(), nullptr));
    const std::string sheet = folder + "\\" + kSketch + ".bmp";
    const TestPicture picture = PatternPicture(9, 4);
    ASSERT_TRUE(WriteWide(sheet, MakeBmp8(picture)));

    modal.Answer(IDOK, sheet);
    Command(ID_OPEN_BITMAP);
    ASSERT_EQ(pictureSet.Count(), 1) << "the sheet opened";
    EXPECT_EQ(ByteBlock(pictureSet.sprites[0].image, pictureSet.sprites[0].image + 36), picture.pixels);
    EXPECT_STREQ(g_bmpChild.bitmapPath, sheet.c_str());
    EXPECT_EQ(std::string(g_bmpChild.bitmapTitle), std::string(kSketch) + ".bmp");

    const std::string saved = folder + "\\" + kSketch;  // the dialog adds ".spr"
    OpenDocument({{3, 2}, {5, 1}});
    ASSERT_EQ(g_document.SetRelative(0, 1, 0), 1);
    modal.Answer(IDOK, saved);
    Command(ID_SAVE_SPRITE);
    EXPECT_FALSE(g_document.Modified());
    ASSERT_TRUE(ExistsWide(saved + ".spr"));

    g_document.New();
    modal.Answer(IDOK, saved + ".spr");
    Command(ID_OPEN_SPRITE);
    EXPECT_EQ(Widths(workSet), (std::vector<int>{3, 5}));
    EXPECT_EQ(std::string(g_bmpChild.spriteTitle), std::string(kSketch) + ".spr");
    EXPECT_EQ(modal.Seen().size(), 3u) << "no message but the palette's, which a sheet gave";
}

TEST_F(UnicodeNamesTest, MessagesNameTheFileAsItIsCalled)
{
    GuiTempDir dir;
    const std::string notASheet = dir.File(kSketch) + ".bmp";
    ASSERT_TRUE(WriteWide(notASheet, ByteBlock(50, 7)));
    const std::string noFolder = dir.File(kSketch) + "\\x.spr";
    // A name so long that the set's 256-byte message holds only its first part.
    const std::string longStart = dir.File(kSketch) + "\\" + kSketch;
    std::string longName = longStart;
    while (longName.size() < 300) longName = longName + "\\" + kSketch;
    const std::string longNoFolder = longName + "\\x.spr";

    struct Case {
        int command;
        std::string path;
        std::string caption;
        std::wstring text;  // the whole text, or its start for a name cut short
        bool whole;
    };
    const std::wstring created = WideFromText("파일생성 실패 (");
    const Case cases[] = {
        {ID_OPEN_BITMAP, notASheet, "Message",
         WideFromText("비트맵 읽기 실패(") + WideFromUtf8(notASheet.c_str()) + L")", true},
        {ID_SAVE_SPRITE, noFolder, "Error Messages...", created + WideFromUtf8(noFolder.c_str()) + L")", true},
        {ID_SAVE_SPRITE, longNoFolder, "Error Messages...", created + WideFromUtf8(longStart.c_str()),
         false},
    };
    for (const Case& c : cases) {
        OpenDocument({{2, 2}});
        modal.ClearSeen();
        modal.Answer(IDOK, c.path);
        modal.Answer(IDOK);
        Command(c.command);
        ASSERT_EQ(modal.Seen().size(), 2u) << c.command;
        EXPECT_EQ(modal.Seen()[1].caption, c.caption);
        const std::wstring& shown = modal.Seen()[1].wideText;
        if (c.whole) {
            EXPECT_EQ(shown, c.text);
        } else {
            EXPECT_EQ(shown.compare(0, c.text.size(), c.text), 0) << "the start of the name shows";
            EXPECT_EQ(shown.find(L'\xFFFD'), std::wstring::npos) << "no half character at the cut";
            EXPECT_GT(shown.size(), c.text.size());
        }
    }
}
