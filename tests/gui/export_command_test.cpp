// File > Export...: the save dialog names the JSON, and the sprites land beside it as PNGs the
// platform's codec reads back with the set's own pixels; an empty set is refused before any dialog.
#include <string>
#include <vector>

#include "app/document.h"
#include "codec/png_codec.h"
#include "export/export.h"
#include "files/export_command.h"
#include "files/file_dialog.h"
#include "kit/text.h"
#include "resources/resource.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"

namespace {

using ExportCommandTest = MainWindowTest;

constexpr int kFileTypeListId = 0x470;  // cmb1, the file dialog's file types

}  // namespace

TEST_F(ExportCommandTest, PngsAndJsonGoBesideTheNameChosenAndAnEmptySetIsRefused)
{
    GuiTempDir dir;
    OpenDocument({{4, 3}, {5, 2}, {1, 7}});
    modal.Answer(IDOK, dir.File("game.json"));
    Command(ID_EXPORT);
    ASSERT_EQ(modal.Seen().size(), 1u) << "the save dialog alone";
    EXPECT_EQ(TextFromWide(g_fileDialog.lpstrDefExt), "json");
    EXPECT_EQ(g_fileDialog.Flags, kSaveDialogFlags);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"game.json", "sprite_00000.png", "sprite_00001.png",
                                                     "sprite_00002.png"}));
    for (int i = 0; i < workSet.Count(); ++i) {
        const ByteBlock png = ReadFileBytes(dir.File(("sprite_0000" + std::to_string(i) + ".png").c_str()));
        DecodedPng picture;
        ASSERT_EQ(DecodePng(png.data(), png.size(), &picture, nullptr), PngStatus::kOk) << i;
        EXPECT_TRUE(picture.indexed);
        EXPECT_EQ(picture.width, workSet.sprites[i].width);
        EXPECT_EQ(picture.height, workSet.sprites[i].height);
        EXPECT_EQ(picture.pixels, SpritePixels(workSet.sprites[i])) << i;
    }
    const ByteBlock json = ReadFileBytes(dir.File("game.json"));
    const std::string text(json.begin(), json.end());
    EXPECT_NE(text.find("\"format\": \"quillon-sprites\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"image\": \"sprite_00002.png\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"palette\": \"grey ramp\""), std::string::npos) << text;
    EXPECT_FALSE(g_document.Modified());

    // The second file type: one atlas picture named after the JSON, the frames named after the file
    // (a set never saved is "untitled").
    GuiTempDir atlas;
    modal.ClearSeen();
    modal.Answer(IDOK, atlas.File("pack.json"), {ChooseListItem(kFileTypeListId, 1)});
    Command(ID_EXPORT);
    EXPECT_TRUE(modal.Problems().empty());
    EXPECT_EQ(g_fileDialog.nFilterIndex, 2u);
    EXPECT_EQ(atlas.List(), (std::vector<std::string>{"pack.json", "pack.png"}));
    const ByteBlock packJson = ReadFileBytes(atlas.File("pack.json"));
    const std::string pack(packJson.begin(), packJson.end());
    EXPECT_NE(pack.find("\"image\": \"pack.png\""), std::string::npos) << pack;
    EXPECT_NE(pack.find("\"untitled_00002\""), std::string::npos) << pack;

    GuiTempDir none;
    g_document.New();
    modal.ClearSeen();
    modal.Answer(IDOK);
    Command(ID_EXPORT);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "내보낼 스프라이트가 없습니다.");
    EXPECT_TRUE(none.List().empty());
}
