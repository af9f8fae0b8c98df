// File > Export...: the save dialog names the JSON, and the sprites land beside it as PNGs the
// platform's codec reads back with the set's own pixels, or as one animated GIF; an empty set is
// refused before any dialog.
#include <string>
#include <vector>

#include "app/document.h"
#include "app/frame_rate_box.h"
#include "codec/png_codec.h"
#include "export/export.h"
#include "files/export_command.h"
#include "files/file_dialog.h"
#include "render/gif_frames.h"
#include "kit/text.h"
#include "resources/resource.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"

namespace {

using ExportCommandTest = MainWindowTest;

constexpr int kFileTypeListId = 0x470;  // cmb1, the file dialog's file types

struct GifShape {
    int frames = 0;
    int firstWidth = 0;
    int firstHeight = 0;
    int firstDelay = -1;  // centiseconds, from the graphic control before the first frame
};

int Word(const ByteBlock& b, size_t at) { return b[at] | b[at + 1] << 8; }

// Walks the GIF's blocks, apart from the codec that wrote them; frames -1 when it is malformed.
GifShape ReadGifShape(const ByteBlock& gif)
{
    GifShape shape;
    shape.frames = -1;
    if (gif.size() < 13 || std::string(gif.begin(), gif.begin() + 6) != "GIF89a") return shape;
    size_t at = 13 + (gif[10] & 0x80 ? 3u << ((gif[10] & 7) + 1) : 0);
    const auto skipSubBlocks = [&gif, &at] {
        while (at < gif.size() && gif[at] != 0) at += gif[at] + 1;
        ++at;
    };
    int frames = 0;
    while (at < gif.size()) {
        const uint8_t kind = gif[at];
        if (kind == 0x3B) {
            shape.frames = frames;
            return shape;
        }
        if (kind == 0x21 && at + 2 < gif.size()) {
            if (gif[at + 1] == 0xF9 && frames == 0 && at + 6 < gif.size()) shape.firstDelay = Word(gif, at + 4);
            at += 2;
            skipSubBlocks();
        } else if (kind == 0x2C && at + 10 < gif.size()) {
            if (frames++ == 0) {
                shape.firstWidth = Word(gif, at + 5);
                shape.firstHeight = Word(gif, at + 7);
            }
            const uint8_t packed = gif[at + 9];
            at += 10 + (packed & 0x80 ? 3u << ((packed & 7) + 1) : 0) + 1;  // the LZW code size too
            skipSubBlocks();
        } else {
            return shape;
        }
    }
    return shape;
}

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

    // The third file type: the animated GIF alone, under the name chosen made .gif, one frame a
    // sprite on the canvas the animation page plays them on.
    // A file already under the name made .gif is asked about first: the dialog asked about the
    // name it showed, walk.json.
    GuiTempDir animated;
    const ByteBlock earlier{'o', 'l', 'd'};
    ASSERT_TRUE(WriteFileBytes(animated.File("walk.gif"), earlier));
    for (const int answer : {IDNO, IDYES}) {
        modal.ClearSeen();
        modal.Answer(IDOK, animated.File("walk.json"), {ChooseListItem(kFileTypeListId, 2)});
        modal.Answer(answer);
        Command(ID_EXPORT);
        ASSERT_EQ(modal.Seen().size(), 2u) << answer;
        EXPECT_EQ(modal.Seen()[1].text, animated.File("walk.gif") + "이(가) 이미 있습니다.\n바꾸시겠습니까?");
        EXPECT_EQ(ReadFileBytes(animated.File("walk.gif")) == earlier, answer == IDNO);
    }
    EXPECT_TRUE(modal.Problems().empty());
    EXPECT_EQ(g_fileDialog.nFilterIndex, 3u);
    ASSERT_EQ(animated.List(), (std::vector<std::string>{"walk.gif"}));
    GifFrames expected;
    ASSERT_EQ(LayOutGifFrames(workSet, Palette{}, FrameRateForPlay(), g_bmpChild.previewFlips, &expected), Reason::kNone);
    const GifShape shape = ReadGifShape(ReadFileBytes(animated.File("walk.gif")));
    EXPECT_EQ(shape.frames, 3);
    EXPECT_EQ(shape.firstWidth, expected.width);
    EXPECT_EQ(shape.firstHeight, expected.height);
    EXPECT_EQ(shape.firstDelay, GifDelay(FrameRateForPlay()));

    GuiTempDir none;
    g_document.New();
    modal.ClearSeen();
    modal.Answer(IDOK);
    Command(ID_EXPORT);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "내보낼 스프라이트가 없습니다.");
    EXPECT_TRUE(none.List().empty());
}
