// Sheets read into the picture as the window and the command line read them: a PNG loads as its
// BMP twin does (an indexed one with its indices, a true-colour one indexed by the same rule, so
// both back ends give the very picture the core gives a 24-bit BMP), and the reader is chosen by
// the name's ending, then by the first bytes. (Refusals of too many colours: the core's, the
// command line's and the window's tests.)
#include "codec/sheet_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "image/image_layout.h"
#include "tests/core/indexed_model.h"

namespace {

std::string Sample(const std::string& name) { return std::string(QUILLON_SOURCE_DIR) + "/samples/pictures/" + name; }

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The picture block up to the end of the rows: header, color table, pixels.
Bytes Layout(const ImageBuffer& picture)
{
    if (picture.block == nullptr) return {};
    const size_t bytes = kInfoHeaderSize + size_t(picture.colorCount) * kColorEntrySize +
                         size_t(picture.stride) * size_t(picture.Height());
    return Bytes(picture.block, picture.block + bytes);
}

// A folder of its own under the system's temporary folder, removed at the end.
class Folder {
public:
    Folder()
    {
        namespace fs = std::filesystem;
        const fs::path base = fs::temp_directory_path();
        for (int i = 0; path_.empty(); ++i) {
            const fs::path candidate = base / ("quillon-sheets-" + std::to_string(i));
            std::error_code error;
            if (fs::create_directory(candidate, error)) path_ = candidate.string();
        }
    }
    ~Folder()
    {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    std::string Write(const std::string& name, const Bytes& bytes) const
    {
        const std::string file = Path(name);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return file;
    }

private:
    std::string path_;
};

}  // namespace

TEST(SheetReader, PngSheetsLoadAsTheirBmpTwins)
{
    const struct {
        const char* png;
        const char* bmp;
    } twins[] = {
        {"pil-w7.png", "pil-w7.bmp"},           // indexed: the file's indices and palette
        {"pil-w33.png", "pil-w33.bmp"},
        {"pil-w7-rgb.png", "pil-w7-24.bmp"},    // true colour: the same indexing
        {"pil-w33-rgb.png", "pil-w33-24.bmp"},
    };
    for (const auto& twin : twins) {
        SCOPED_TRACE(twin.png);
        ImageBuffer png, bmp;
        ASSERT_EQ(LoadPng(png, Sample(twin.png).c_str()), 1) << png.message;
        ASSERT_EQ(bmp.LoadBmp(Sample(twin.bmp).c_str()), 1) << bmp.message;
        ASSERT_EQ(png.bitCount, 8);
        EXPECT_EQ(PictureIndices(png), PictureIndices(bmp));
        EXPECT_EQ(0, std::memcmp(png.ColorTable(), bmp.ColorTable(), kPaletteBytes));
        EXPECT_EQ(png.sheetColors, bmp.sheetColors);
        if (png.sheetColors > 0) {
            EXPECT_EQ(Layout(png), Layout(bmp)) << "the whole picture, header included";
        }
    }

    // Transparency: index 0 is the transparent colour, partial alpha is opaque.
    std::vector<Rgba> pixels;
    const Bytes indices = ReadFile(Sample("w7.idx"));
    const Bytes rgb = ReadFile(Sample("w7.ppm"));
    const size_t start = rgb.size() - indices.size() * 3;
    for (size_t i = 0; i < indices.size(); ++i) {
        const uint8_t index = indices[i];
        const uint8_t alpha = index == 0 || index == 5 ? 0 : index == 7 ? 128 : 255;
        pixels.push_back(Rgba{rgb[start + 3 * i], rgb[start + 3 * i + 1], rgb[start + 3 * i + 2], alpha});
    }
    IndexedModel model = ModelIndexing(pixels, true);
    ImageBuffer rgba;
    ASSERT_EQ(LoadPng(rgba, Sample("pil-w7-rgba.png").c_str()), 1) << rgba.message;
    // The transparent pixels' own red, green and blue are the file's; only the first one's counts.
    model.colors[0] = Rgba{rgba.ColorTable()[0].rgbRed, rgba.ColorTable()[0].rgbGreen, rgba.ColorTable()[0].rgbBlue, 0};
    ExpectIndexedAs(rgba, model);
}

TEST(SheetReader, ChosenByTheNameThenByTheFirstBytes)
{
    Folder folder;
    const Bytes png = ReadFile(Sample("pil-w7-rgb.png"));
    const Bytes bmp = ReadFile(Sample("pil-w7.bmp"));
    const Bytes pcx = ReadFile(Sample("pil-w7.pcx"));
    const struct {
        const char* name;
        const Bytes* content;
        const char* refusal;  // null: loads
    } cases[] = {
        {"sheet.png", &png, nullptr},
        {"SHEET.PNG", &png, nullptr},
        {"sheet.dat", &png, nullptr},                    // by its first bytes
        {"sheet.dat", &pcx, nullptr},                    // BMP, then PCX
        {"picture.bmp", &png, "%s BMP파일이 아닙니다."},  // the name decides
        {"picture.png", &bmp, "%s PNG파일이 아닙니다."},
        {"missing.png", nullptr, "%s 파일이 없습니다."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.content != nullptr ? folder.Write(c.name, *c.content) : folder.Path(c.name);
        ImageBuffer picture;
        const int loaded = LoadSheet(picture, path.c_str());
        if (c.refusal == nullptr) {
            EXPECT_EQ(loaded, 1) << picture.message;
            EXPECT_EQ(picture.Width(), 7);
            continue;
        }
        EXPECT_EQ(loaded, 0);
        char text[kImageMessageSize];
        std::snprintf(text, sizeof text, c.refusal, path.c_str());
        EXPECT_EQ(std::string(picture.message), text);
        EXPECT_EQ(picture.block, nullptr);
    }
}
