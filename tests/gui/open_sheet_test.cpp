// Open Bitmap with sheets as today's paint programs save them, in the real window: a true-colour
// PNG (decoded by the platform's codec library), a 24-bit BMP and an indexed PNG become the 8-bit
// sheet of the canvas, its page and palette; a sheet of more than 256 colours is refused with its
// count and what to do, and the sheet shown before stays.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/pages.h"
#include "app/picture.h"
#include "resources/resource.h"
#include "tests/core/image_test_files.h"
#include "tests/core/indexed_model.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"

namespace {

using OpenSheetTest = MainWindowTest;

ByteBlock SampleBytes(const std::string& name)
{
    std::ifstream in(std::string(QUILLON_SOURCE_DIR) + "/samples/pictures/" + name, std::ios::binary);
    return ByteBlock((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The sample picture w7 (7 x 5, 16 colours) as red, green, blue pixels, all opaque.
std::vector<Rgba> W7Pixels()
{
    const ByteBlock ppm = SampleBytes("w7.ppm");
    std::vector<Rgba> pixels;
    for (size_t i = ppm.size() - 7 * 5 * 3; i + 2 < ppm.size(); i += 3)
        pixels.push_back(Rgba{ppm[i], ppm[i + 1], ppm[i + 2], 255});
    return pixels;
}

// A 24-bit BMP of the pixels, and the pixels as a test picture of blue, green, red.
ByteBlock Bmp24(const std::vector<Rgba>& pixels, int width, int height)
{
    TestPicture picture{width, height, 3, {}};
    for (const Rgba& p : pixels) picture.pixels.insert(picture.pixels.end(), {p.b, p.g, p.r});
    return MakeBmp24(picture);
}

// The bitmap page's pixels, top row first, once the canvas has painted.
ByteBlock PagePixels()
{
    ByteBlock pixels;
    for (int y = 0; y < g_bmpPage.height; ++y)
        pixels.insert(pixels.end(), g_bmpPage.pixels + size_t(y) * g_bmpPage.pitch,
                      g_bmpPage.pixels + size_t(y) * g_bmpPage.pitch + g_bmpPage.width);
    return pixels;
}

ByteBlock PageColors()
{
    const auto* table = reinterpret_cast<const uint8_t*>(g_bmpPage.info->bmiColors);
    return ByteBlock(table, table + 1024);
}

}  // namespace

TEST_F(OpenSheetTest, TrueColorAndPngSheetsBecomeTheCanvasSheet)
{
    GuiTempDir dir;
    const std::vector<Rgba> w7 = W7Pixels();
    ASSERT_EQ(w7.size(), 35u);
    // A sheet whose top-left colour comes back later, on a background of its own.
    std::vector<Rgba> drawn;
    for (int i = 0; i < 9 * 4; ++i) {
        const int k = (i * 5 + i / 9) % 7;
        drawn.push_back(k < 3 ? Rgba{250, 250, 250, 255} : Rgba{uint8_t(k * 30), uint8_t(100 - k), 7, 255});
    }
    const struct {
        const char* name;
        ByteBlock bytes;
        int width;
        IndexedModel model;
    } cases[] = {
        {"sheet.png", SampleBytes("pil-w7-rgb.png"), 7, ModelIndexing(w7, false)},
        {"sheet-24.bmp", Bmp24(drawn, 9, 4), 9, ModelIndexing(drawn, false)},
        {"indexed.png", SampleBytes("pil-w7.png"), 7, IndexedModel{SampleBytes("w7.idx"), {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        modal.ClearSeen();
        modal.Answer(IDOK, path);
        Command(ID_OPEN_BITMAP);
        PumpMessages();
        ASSERT_EQ(modal.Seen().size(), 1u) << "the file dialog alone: " << (modal.Seen().size() > 1 ? modal.Seen()[1].text : "");
        ASSERT_EQ(pictureSet.Count(), 1);
        const Sprite& sheet = pictureSet.sprites[0];
        ASSERT_EQ(sheet.width, c.width);
        const ByteBlock indices(sheet.image, sheet.image + c.model.indices.size());
        EXPECT_EQ(indices, c.model.indices) << "the sprite of the sheet holds its indices";
        EXPECT_EQ(PagePixels(), c.model.indices) << "the canvas page shows them";
        EXPECT_EQ(reinterpret_cast<RGBQUAD*>(g_palette), g_picture.ColorTable());
        EXPECT_EQ(PageColors(), ByteBlock(reinterpret_cast<uint8_t*>(g_palette),
                                          reinterpret_cast<uint8_t*>(g_palette) + 1024));
        // The colours: those of the rule, or for the indexed file its own palette.
        for (size_t i = 0; i < c.model.indices.size(); ++i) {
            const RGBQUAD& shown = g_bmpPage.info->bmiColors[g_bmpPage.pixels[(i / c.width) * g_bmpPage.pitch + i % c.width]];
            const Rgba want = c.model.colors.empty() ? w7[i] : c.model.colors[c.model.indices[i]];
            ASSERT_EQ((std::vector<int>{shown.rgbRed, shown.rgbGreen, shown.rgbBlue}),
                      (std::vector<int>{want.r, want.g, want.b}))
                << "pixel " << i;
        }
        EXPECT_STREQ(g_bmpChild.bitmapTitle, c.name);
    }
}

TEST_F(OpenSheetTest, ASheetOfTooManyColorsIsRefusedAndTheSheetShownStays)
{
    GuiTempDir dir;
    const std::string earlier = dir.File("earlier.bmp");
    ASSERT_TRUE(WriteFileBytes(earlier, MakeBmp8(PatternPicture(6, 4))));
    modal.Answer(IDOK, earlier);
    Command(ID_OPEN_BITMAP);
    PumpMessages();
    ASSERT_EQ(pictureSet.Count(), 1);
    const ByteBlock sheet(pictureSet.sprites[0].image, pictureSet.sprites[0].image + 24);
    const ByteBlock page = PagePixels(), colors = PageColors();
    MakeSprites(workSet, {{4, 3}});

    std::vector<Rgba> many;
    for (int i = 0; i < 300; ++i) many.push_back(Rgba{uint8_t(i), uint8_t(i >> 8), 7, 255});
    const struct {
        const char* name;
        ByteBlock bytes;
    } cases[] = {
        {"many.png", SampleBytes("pil-300-rgb.png")},
        {"many.bmp", Bmp24(many, 20, 15)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        modal.ClearSeen();
        modal.Answer(IDOK, path);
        modal.Answer(IDOK);
        Command(ID_OPEN_BITMAP);
        PumpMessages();
        ASSERT_EQ(modal.Seen().size(), 2u);
        EXPECT_EQ(modal.Seen()[1].caption, "Message");
        EXPECT_EQ(modal.Seen()[1].text,
                  "그림의 색이 300가지입니다. 그림 프로그램에서 256색으로 줄여 주십시오.\n비트맵 읽기 실패(" + path + ")");
        ASSERT_EQ(pictureSet.Count(), 1);
        EXPECT_EQ(ByteBlock(pictureSet.sprites[0].image, pictureSet.sprites[0].image + 24), sheet);
        EXPECT_EQ(PagePixels(), page);
        EXPECT_EQ(PageColors(), colors);
        EXPECT_EQ(Widths(workSet), std::vector<int>{4});
    }
}
