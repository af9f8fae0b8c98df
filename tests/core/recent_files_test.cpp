// The recent-files list: its rules (the latest first, once, eight at most), its file read
// tolerantly, and its menu texts.
#include <gtest/gtest.h>

#include "settings/recent_files.h"
#include "tests/core/test_files.h"

namespace {

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

const std::string kHeader = std::string(kRecentFilesHeader) + "\r\n";

}  // namespace

TEST(RecentFilesTest, TheLatestComesFirstOnceAndEightAreKept)
{
    struct Case {
        const char* what;
        RecentList before;
        std::string added;
        RecentList after;
    };
    const Case cases[] = {
        {"into an empty list", {}, "C:\\a.spr", {"C:\\a.spr"}},
        {"a new name goes first", {"C:\\a.spr", "C:\\b.bmp"}, "C:\\c.pal", {"C:\\c.pal", "C:\\a.spr", "C:\\b.bmp"}},
        {"a name again moves up", {"C:\\a.spr", "C:\\b.bmp", "C:\\c.pal"}, "C:\\b.bmp",
         {"C:\\b.bmp", "C:\\a.spr", "C:\\c.pal"}},
        {"the same file in another case and slash", {"C:\\Art\\Hero.SPR", "C:\\b.bmp"}, "c:/art/hero.spr",
         {"c:/art/hero.spr", "C:\\b.bmp"}},
        {"letters outside ASCII are not folded", {"C:\\\xCE\x91.spr"}, "C:\\\xCE\xB1.spr",
         {"C:\\\xCE\xB1.spr", "C:\\\xCE\x91.spr"}},
        {"the ninth pushes out the oldest", {"1", "2", "3", "4", "5", "6", "7", "8"}, "9",
         {"9", "1", "2", "3", "4", "5", "6", "7"}},
        {"an empty name is no file", {"C:\\a.spr"}, "", {"C:\\a.spr"}},
    };
    for (const Case& c : cases) {
        RecentList list = c.before;
        AddRecentFile(&list, c.added);
        EXPECT_EQ(list, c.after) << c.what;
    }
    RecentList list = {"C:\\a.spr", "C:\\B.bmp", "C:\\c.pal"};
    RemoveRecentFile(&list, "c:\\b.BMP");
    EXPECT_EQ(list, (RecentList{"C:\\a.spr", "C:\\c.pal"}));
}

TEST(RecentFilesTest, TheFileIsReadTolerantly)
{
    const std::string greek = "C:\\\xCF\x83\xCE\xBA\xCE\xAF\xCF\x84\xCF\x83\xCE\xBF\xF0\x9F\x90\x89.bmp";
    std::string nine = kHeader;
    for (int i = 1; i <= 9; ++i) nine += "C:\\" + std::to_string(i) + ".spr\r\n";
    struct Case {
        const char* what;
        std::string text;
        RecentList list;
    };
    const Case cases[] = {
        {"as written", kHeader + "C:\\a.spr\r\n" + greek + "\r\n", {"C:\\a.spr", greek}},
        {"LF alone, no end at the last line", kHeader.substr(0, kHeader.size() - 2) + "\nC:\\a.spr\nC:\\b.pal",
         {"C:\\a.spr", "C:\\b.pal"}},
        {"blank lines and a name again left out", kHeader + "\r\nC:\\a.spr\r\n\r\nc:\\A.SPR\r\nC:\\b.pal\r\n",
         {"C:\\a.spr", "C:\\b.pal"}},
        {"past the eighth left out", nine,
         {"C:\\1.spr", "C:\\2.spr", "C:\\3.spr", "C:\\4.spr", "C:\\5.spr", "C:\\6.spr", "C:\\7.spr", "C:\\8.spr"}},
        {"the header alone", kHeader, {}},
        {"empty", "", {}},
        {"another header", "Quillon recent files 2\r\nC:\\a.spr\r\n", {}},
        {"no header", "C:\\a.spr\r\n", {}},
        {"a byte that is no UTF-8 (code page 949)", kHeader + "C:\\a.spr\r\nC:\\\xC7\xD1.spr\r\n", {}},
        {"an overlong form", kHeader + "C:\\\xC0\xAF.spr\r\n", {}},
        {"a character cut short", kHeader + "C:\\\xF0\x9F\x90\r\n", {}},
        {"a surrogate half", kHeader + "C:\\\xED\xA0\x80.spr\r\n", {}},
        {"a control character", kHeader + "C:\\a\tb.spr\r\n", {}},
        {"a zero byte", kHeader + std::string("C:\\a\0.spr\r\n", 11), {}},
        {"a line longer than any name", kHeader + "C:\\" + std::string(kRecentNameBytes, 'a') + "\r\n", {}},
    };
    for (const Case& c : cases) {
        const Bytes bytes = TextBytes(c.text);
        EXPECT_EQ(DecodeRecentFiles(bytes.data(), bytes.size()), c.list) << c.what;
        TempDir dir;
        ASSERT_TRUE(WriteBytes(dir.File(kRecentFilesName), bytes));
        EXPECT_EQ(ReadRecentFiles(dir.File(kRecentFilesName).c_str()), c.list) << c.what << " (file)";
    }
    TempDir dir;
    EXPECT_TRUE(ReadRecentFiles(dir.File(kRecentFilesName).c_str()).empty()) << "missing";
    EXPECT_TRUE(ReadRecentFiles(dir.path().c_str()).empty()) << "a folder";
    Bytes huge = TextBytes(kHeader + "C:\\a.spr\r\n");
    huge.resize(70 * 1024, '\n');
    ASSERT_TRUE(WriteBytes(dir.File("huge"), huge));
    EXPECT_TRUE(ReadRecentFiles(dir.File("huge").c_str()).empty()) << "larger than any list of ours";
}

TEST(RecentFilesTest, AWrittenListReadsBackAsItWas)
{
    TempDir dir;
    const std::string path = dir.File(kRecentFilesName);
    const RecentList list = {"C:\\sheets\\hero.bmp", "/home/a b/\xCE\xB1.spr", "D:\\x&y.pal"};
    ASSERT_EQ(WriteRecentFiles(path.c_str(), list), 1);
    EXPECT_EQ(ReadBytes(path), TextBytes(kHeader + "C:\\sheets\\hero.bmp\r\n/home/a b/\xCE\xB1.spr\r\nD:\\x&y.pal\r\n"));
    EXPECT_EQ(ReadRecentFiles(path.c_str()), list);
    ASSERT_EQ(WriteRecentFiles(path.c_str(), {}), 1);
    EXPECT_TRUE(ReadRecentFiles(path.c_str()).empty());
    EXPECT_EQ(WriteRecentFiles(dir.File("no/such/folder").c_str(), list), 0);
}

TEST(RecentFilesTest, MenuTextsNumberEscapeAndShortenTheNames)
{
    const std::string longGreek =
        "C:\\\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1\\"
        "second folder of the art\\third\\\xF0\x9F\x90\x89.bmp";  // 51 characters
    struct Case {
        int index;
        std::string name;
        std::string text;
    };
    const Case cases[] = {
        {0, "C:\\sheets\\hero.bmp", "&1 C:\\sheets\\hero.bmp"},
        {7, "D:\\Tom & Jerry\\a&b.spr", "&8 D:\\Tom && Jerry\\a&&b.spr"},
        // 50 characters stay whole; 51 lose their middle folders, as many from the end as fit.
        {1, "C:\\" + std::string(38, 'f') + "\\hero.bmp", "&2 C:\\" + std::string(38, 'f') + "\\hero.bmp"},
        {1, "C:\\" + std::string(39, 'f') + "\\hero.bmp", "&2 C:\\...\\hero.bmp"},
        {2, "C:\\Users\\someone\\Documents\\Projects\\game\\art\\sheets\\hero.bmp",
         "&3 C:\\...\\Documents\\Projects\\game\\art\\sheets\\hero.bmp"},
        {3, "/home/someone/projects/the-game/assets/art/sheets/hero.png",
         "&4 /home/.../the-game/assets/art/sheets/hero.png"},
        {4, longGreek, "&5 C:\\...\\second folder of the art\\third\\\xF0\x9F\x90\x89.bmp"},
        // A file's own name longer than the room is kept whole.
        {5, "C:\\folder\\" + std::string(60, 'n') + ".spr", "&6 ...\\" + std::string(60, 'n') + ".spr"},
        {6, "\\\\server\\share\\" + std::string(40, 'd') + "\\x.pal", "&7 \\\\server\\...\\x.pal"},
    };
    for (const Case& c : cases) EXPECT_EQ(RecentMenuText(c.index, c.name), c.text) << c.name;
}
