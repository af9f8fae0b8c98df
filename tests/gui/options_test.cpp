// The options: OPTION.CFG read at start and written on OK, the options dialog and the About box.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/options.h"
#include "app/options_dialog.h"
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A file image of nine fields, built here byte by byte as the file keeps them.
Bytes FieldBytes(std::initializer_list<int32_t> fields)
{
    Bytes bytes;
    for (int32_t field : fields)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(uint8_t(uint32_t(field) >> shift));
    return bytes;
}

Bytes OptionBytes(const Options& o)
{
    return FieldBytes({o.crossHair, o.resolutionMode, o.backColor, o.relCrossColor, o.hitBoxColor,
                       o.atckBoxColor, o.compressSprites, o.autoHitBox, o.autoAtckBox});
}

void WriteBytes(const char* path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadBytes(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The names in the working folder, OPTION.CFG's leftovers included.
std::vector<std::string> FolderNames()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*", &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

const Options kSomeOptions = {0, IDC_MODE_512X384, 17, 250, 0, 255, 1, 0, 1};

}  // namespace


void PrintTo(const Options& o, std::ostream* out)
{
    *out << "{" << o.crossHair << ", " << o.resolutionMode << ", " << o.backColor << ", "
         << o.relCrossColor << ", " << o.hitBoxColor << ", " << o.atckBoxColor << ", "
         << o.compressSprites << ", " << o.autoHitBox << ", " << o.autoAtckBox << "}";
}

class OptionsTest : public MainWindowTest {
protected:
    // Opens the options dialog through its command; `settings` are made, then `button` pressed.
    SeenDialog RunDialog(int button, std::vector<ControlSetting> settings = {})
    {
        size_t before = modal.Seen().size();
        modal.Answer(button, std::move(settings));
        Command(ID_OPTIONS);
        EXPECT_EQ(modal.Seen().size(), before + 1);
        return modal.Seen().size() > before ? modal.Seen().back() : SeenDialog();
    }

    void ExpectPage(int width, int height)
    {
        EXPECT_EQ(g_bmpChild.animWidth, width);
        EXPECT_EQ(g_bmpChild.animHeight, height);
    }

    // An OPTION.CFG nobody can replace: a folder of that name, or a read-only file.
    void MakeUnwritable(bool asFolder)
    {
        if (asFolder) {
            ASSERT_TRUE(CreateDirectoryA(kOptionsFileName, nullptr));
        } else {
            WriteBytes(kOptionsFileName, OptionBytes(kDefaultOptions));
            ASSERT_TRUE(SetFileAttributesA(kOptionsFileName, FILE_ATTRIBUTE_READONLY));
        }
    }

    void ExpectUnchanged(bool asFolder)
    {
        if (asFolder)
            EXPECT_TRUE(GetFileAttributesA(kOptionsFileName) & FILE_ATTRIBUTE_DIRECTORY);
        else
            EXPECT_EQ(ReadBytes(kOptionsFileName), OptionBytes(kDefaultOptions));
        EXPECT_EQ(FolderNames(), std::vector<std::string>{kOptionsFileName})
            << "nothing left beside";
    }
};

// The record's own rules are the core's (options_file_test); here, that the program takes them and
// sizes its pages by them.
TEST_F(OptionsTest, LoadTakesAWholeRecordOrTheDefaults)
{
    Bytes record = FieldBytes({0, IDC_MODE_320X200, -1, 300, 7, 9, 1, 0, 1});
    const Options recorded = {0, IDC_MODE_320X200, -1, 300, 7, 9, 1, 0, 1};
    struct Case {
        const char* what;
        bool exists;
        Bytes file;
        Options expected;
        int width, height;
    };
    const Case cases[] = {
        {"missing", false, {}, kDefaultOptions, 640, 480},
        {"a record, stored as it is", true, record, recorded, 320, 200},
        {"one byte short", true, Bytes(record.begin(), record.end() - 1), kDefaultOptions, 640,
         480},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(kOptionsFileName);
        if (c.exists) WriteBytes(kOptionsFileName, c.file);
        g_options = Options{77, 77, 77, 77, 77, 77, 77, 77, 77};
        g_bmpChild.animWidth = g_bmpChild.animHeight = 1;
        EXPECT_EQ(LoadOptions(), 1);
        EXPECT_EQ(g_options, c.expected);
        ExpectPage(c.width, c.height);
    }
}

TEST_F(OptionsTest, EveryResolutionModeGivesItsPageAndAnyOtherNumber640x480)
{
    const struct {
        int mode, width, height;
    } modes[] = {
        {1014, 320, 200}, {1015, 320, 240}, {1016, 400, 300},  {1017, 512, 384},
        {1018, 640, 480}, {1019, 800, 600}, {1020, 1024, 768}, {1013, 640, 480},
        {1021, 640, 480}, {0, 640, 480},    {-1018, 640, 480},
    };
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        WriteBytes(kOptionsFileName, FieldBytes({1, m.mode, 0, 0, 0, 0, 0, 0, 0}));
        LoadOptions();
        EXPECT_EQ(g_options.resolutionMode, m.mode);
        ExpectPage(m.width, m.height);
    }
}

TEST_F(OptionsTest, SaveWritesTheFileThatLoadReadsBack)
{
    g_options = Options{1, IDC_MODE_400X300, 255, -2, 0x01020304, -0x10000000, 0, 1, 0};
    ASSERT_EQ(SaveOptions(), 1);
    EXPECT_EQ(ReadBytes(kOptionsFileName), OptionBytes(g_options));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{kOptionsFileName});

    Options saved = g_options;
    g_options = Options{};
    LoadOptions();
    EXPECT_EQ(g_options, saved);
    ExpectPage(400, 300);
}

TEST_F(OptionsTest, SaveThatCannotWriteFailsAndKeepsTheOldFile)
{
    for (bool asFolder : {true, false}) {
        SCOPED_TRACE(asFolder ? "a folder" : "a read-only file");
        MakeUnwritable(asFolder);
        g_options = kSomeOptions;
        EXPECT_EQ(SaveOptions(), 0);
        ExpectUnchanged(asFolder);
        SetFileAttributesA(kOptionsFileName, FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(kOptionsFileName);
        DeleteFileA(kOptionsFileName);
    }
}

TEST_F(OptionsTest, DialogShowsEveryControlWithTheOptions)
{
    g_options = Options{1, IDC_MODE_400X300, 0, 3, -5, 255, 0, 1, 1};
    SeenDialog seen = RunDialog(IDCANCEL);
    EXPECT_EQ(seen.caption, "Option");
    EXPECT_EQ(seen.fontFace, "굴림");

    const struct {
        int id;
        const char* text;
        bool checked;
    } buttons[] = {
        {IDC_MODE_320X200, "Mode 320 X 200", false},
        {IDC_MODE_320X240, "Mode 320 X 240", false},
        {IDC_MODE_400X300, "Mode 400 X 300", true},
        {IDC_MODE_512X384, "Mode 512 X 384", false},
        {IDC_MODE_640X480, "Mode 640 X 480", false},
        {IDC_MODE_800X600, "Mode 800 X 600", false},
        {IDC_MODE_1024X768, "Mode 1024 X 768", false},
        {IDC_CROSS_HAIR, "마우스 십자선 보기", true},
        {IDC_FULL_SCREEN, "Full screen animation", false},
        {IDC_COMPRESS_SPRITES, "스프라이트 압축", false},
        {IDC_AUTO_HIT_BOX, "충돌상자 자동생성", true},
        {IDC_AUTO_ATCK_BOX, "공격상자 자동생성", true},
        {IDOK, "OK", false},
        {IDCANCEL, "Cancel", false},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.text);
        EXPECT_EQ(seen.Text(b.id), b.text);
        EXPECT_EQ(seen.Checked(b.id), b.checked);
    }
    ASSERT_NE(seen.Control(IDC_FULL_SCREEN), nullptr);
    EXPECT_FALSE(seen.Control(IDC_FULL_SCREEN)->enabled);
    EXPECT_EQ(seen.Text(IDC_BACK_COLOR), "0");
    EXPECT_EQ(seen.Text(IDC_REL_CROSS_COLOR), "3");
    EXPECT_EQ(seen.Text(IDC_HIT_BOX_COLOR), "-5");
    EXPECT_EQ(seen.Text(IDC_ATCK_BOX_COLOR), "255");

    std::vector<std::string> labels;
    for (const SeenControl& control : seen.controls)
        if (control.id == -1 || control.id == 0xFFFF) labels.push_back(control.text);
    for (const char* label :
         {"Animation && Edit resolution", "Colors", "Edit option", "Create option", "배경 색상",
          "상대십자 색상", "충돌상자 색상", "공격상자 색상"})
        EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end()) << label;
}

TEST_F(OptionsTest, CancelKeepsTheClickedModeForTheNextOpeningOnly)
{
    ExpectPage(640, 480);
    RunDialog(IDCANCEL, {ClickControl(IDC_MODE_320X200)});
    EXPECT_EQ(g_options.resolutionMode, IDC_MODE_640X480);
    ExpectPage(640, 480);
    EXPECT_FALSE(FileExistsA(kOptionsFileName)) << "Cancel writes nothing";

    SeenDialog again = RunDialog(IDOK);
    EXPECT_TRUE(again.Checked(IDC_MODE_320X200));
    EXPECT_FALSE(again.Checked(IDC_MODE_640X480));
    EXPECT_EQ(g_options.resolutionMode, IDC_MODE_320X200);
    ExpectPage(320, 200);
    Bytes file = ReadBytes(kOptionsFileName);
    ASSERT_EQ(file.size(), 36u);
    EXPECT_EQ(Bytes(file.begin() + 4, file.begin() + 8), FieldBytes({IDC_MODE_320X200}));
}

TEST_F(OptionsTest, ColorsAreTakenOnlyFrom0To255)
{
    // {typed, value after OK}, field by field over two openings; the defaults are 0, 3, 5, 8.
    const int fields[] = {IDC_BACK_COLOR, IDC_REL_CROSS_COLOR, IDC_HIT_BOX_COLOR,
                          IDC_ATCK_BOX_COLOR};
    const struct {
        const char* typed[4];
        int32_t expected[4];
    } rounds[] = {
        {{"255", "256", "-1", "12abc"}, {255, 3, 5, 8}},
        {{" 0 ", "", "+7", "99999999999"}, {0, 3, 7, 8}},
        {{"abc", "-0", "1 2", "100"}, {0, 0, 7, 100}},
    };
    for (const auto& round : rounds) {
        std::vector<ControlSetting> settings;
        for (int i = 0; i < 4; ++i) settings.push_back(SetText(fields[i], round.typed[i]));
        RunDialog(IDOK, settings);
        EXPECT_EQ(g_options.backColor, round.expected[0]) << round.typed[0];
        EXPECT_EQ(g_options.relCrossColor, round.expected[1]) << round.typed[1];
        EXPECT_EQ(g_options.hitBoxColor, round.expected[2]) << round.typed[2];
        EXPECT_EQ(g_options.atckBoxColor, round.expected[3]) << round.typed[3];
    }
}

TEST_F(OptionsTest, OkAppliesEverythingAndSavesTheFile)
{
    RunDialog(IDOK,
              {ClickControl(IDC_MODE_1024X768), SetCheck(IDC_CROSS_HAIR, false),
               SetCheck(IDC_COMPRESS_SPRITES, true), SetCheck(IDC_AUTO_HIT_BOX, false),
               SetCheck(IDC_AUTO_ATCK_BOX, true), SetText(IDC_HIT_BOX_COLOR, "42")});
    const Options expected = {0, IDC_MODE_1024X768, 0, 3, 42, 8, 1, 0, 1};
    EXPECT_EQ(g_options, expected);
    ExpectPage(1024, 768);
    EXPECT_EQ(ReadBytes(kOptionsFileName), OptionBytes(expected));
}

TEST_F(OptionsTest, OkThatCannotSaveSaysSoAndStillApplies)
{
    for (bool asFolder : {true, false}) {
        SCOPED_TRACE(asFolder ? "a folder" : "a read-only file");
        MakeUnwritable(asFolder);
        modal.Answer(IDOK, {ClickControl(IDC_MODE_800X600)});
        modal.Answer(IDOK);  // the message, over the dialog
        Command(ID_OPTIONS);
        ASSERT_EQ(modal.Seen().size(), 2u);
        EXPECT_EQ(modal.Seen()[1].caption, "Message");
        EXPECT_NE(modal.Seen()[1].text.find("OPTION.CFG"), std::string::npos);
        EXPECT_EQ(g_options.resolutionMode, IDC_MODE_800X600);
        ExpectPage(800, 600);
        ExpectUnchanged(asFolder);
        SetFileAttributesA(kOptionsFileName, FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(kOptionsFileName);
        DeleteFileA(kOptionsFileName);
        modal.ClearSeen();
    }
}

TEST_F(OptionsTest, AModeNumberOfAButtonInTheFileDoesNotPressIt)
{
    // 1 and 2 are OK's and Cancel's numbers: the dialog must still come up and wait.
    for (int mode : {IDOK, IDCANCEL}) {
        g_options.resolutionMode = mode;
        SeenDialog seen = RunDialog(IDCANCEL);
        for (int id = IDC_MODE_320X200; id <= IDC_MODE_1024X768; ++id)
            EXPECT_FALSE(seen.Checked(id)) << "no radio button marked for " << mode;
        EXPECT_FALSE(FileExistsA(kOptionsFileName));
    }
}

TEST_F(OptionsTest, OkAndCancelRepaintTheSelectionStrip)
{
    ASSERT_EQ(g_selChild.Create(window), 1);
    for (int button : {IDOK, IDCANCEL}) {
        ValidateRect(g_selChild.window, nullptr);
        RunDialog(button);
        EXPECT_TRUE(GetUpdateRect(g_selChild.window, nullptr, FALSE)) << button;
    }
}

class OptionsAtStartTest : public OptionsTest {
protected:
    void PrepareWorkDir() override { WriteBytes(kOptionsFileName, OptionBytes(kSomeOptions)); }
};

TEST_F(OptionsAtStartTest, TheMainWindowLoadsThemAsItIsMade)
{
    EXPECT_EQ(g_options, kSomeOptions);
    ExpectPage(512, 384);
    SeenDialog seen = RunDialog(IDCANCEL);
    EXPECT_TRUE(seen.Checked(IDC_MODE_512X384));
}

TEST_F(OptionsTest, WithoutAFileTheDefaultsApplyAndNothingIsWritten)
{
    EXPECT_EQ(g_options, kDefaultOptions);
    ExpectPage(640, 480);
    DestroyWindow(window);
    EXPECT_TRUE(FolderNames().empty());
}

TEST_F(OptionsTest, AboutBoxShowsItsLineAndAnyButtonClosesIt)
{
    modal.Answer(IDOK);
    Command(ID_ABOUT);
    ASSERT_EQ(modal.Seen().size(), 1u);
    const SeenDialog& about = modal.Seen()[0];
    EXPECT_EQ(about.caption, "About Quillon wrapper");
    EXPECT_EQ(about.fontFace, "Tempus Sans ITC");
    EXPECT_EQ(about.Text(IDOK), "OK");
    bool found = false;
    for (const SeenControl& control : about.controls)
        found = found || control.text == "Quillon 스프라이트 메이커 for windows95";
    EXPECT_TRUE(found);

    modal.Answer(IDCANCEL);  // Escape
    EXPECT_EQ(RunAboutBox(window), 0);
    EXPECT_EQ(modal.Seen().size(), 2u);
}
