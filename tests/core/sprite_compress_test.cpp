#include "sprite/compress.h"

#include <gtest/gtest.h>

#include <random>

#include "sprite/file_io.h"
#include "tests/core/sprite_test_util.h"

namespace {

// The form built the plain way, one pixel at a time, to check the fast compressor against.
Pixels ReferenceForm(const Pixels& raw, int width, int height)
{
    Pixels form(4 * size_t(height));
    for (int r = 0; r < height; ++r) {
        const uint8_t* row = raw.data() + size_t(r) * size_t(width);
        WriteLe32(form.data() + 4 * r, uint32_t(form.size()));
        size_t countAt = form.size();
        form.resize(form.size() + 2);
        int pairs = 0;
        for (int c = 0; c < width; ++pairs) {
            int skip = 0, n = 0;
            while (c + skip < width && row[c + skip] == 0 && skip < 255) ++skip;
            while (c + skip + n < width && row[c + skip + n] != 0 && n < 255) ++n;
            form.push_back(uint8_t(skip));
            form.push_back(uint8_t(n));
            form.insert(form.end(), row + c + skip, row + c + skip + n);
            c += skip + n;
        }
        WriteLe16(form.data() + countAt, uint16_t(pairs));
    }
    return form;
}

Pixels Compressed(const Pixels& raw, int width, int height)
{
    uint32_t length = 0;
    uint8_t* form = CompressImage(raw.data(), width, height, &length);
    Pixels bytes(form, form + length);
    std::free(form);
    return bytes;
}

Pixels Decompressed(const Pixels& form, int width, int height, uint8_t background = 0)
{
    Pixels raw(size_t(width) * size_t(height), background);
    const uint8_t* end = DecompressImage(raw.data(), width, height, form.data());
    EXPECT_EQ(form.data() + form.size(), end);
    return raw;
}

}  // namespace

TEST(CompressImage, KnownForms)
{
    EXPECT_EQ(Compressed({0, 7, 7, 0, 3, 3, 3, 3}, 4, 2),
              (Pixels{8, 0, 0, 0, 16, 0, 0, 0, 2, 0, 1, 2, 7, 7, 1, 0, 1, 0, 0, 4, 3, 3, 3, 3}));
    EXPECT_EQ(Compressed(Pixels(10, 0), 10, 1), (Pixels{4, 0, 0, 0, 1, 0, 10, 0}));
    EXPECT_EQ(Compressed(Pixels(300, 0), 300, 1), (Pixels{4, 0, 0, 0, 2, 0, 255, 0, 45, 0}));

    Pixels opaque(300, 9);
    Pixels expected{4, 0, 0, 0, 2, 0, 0, 255};
    expected.insert(expected.end(), 255, 9);
    expected.insert(expected.end(), {0, 45});
    expected.insert(expected.end(), 45, 9);
    EXPECT_EQ(Compressed(opaque, 300, 1), expected);

    // A row ending opaque ends with a pair that copies; one ending transparent with one that does not.
    EXPECT_EQ(Compressed({0, 5}, 2, 1), (Pixels{4, 0, 0, 0, 1, 0, 1, 1, 5}));
    EXPECT_EQ(Compressed({5, 0}, 2, 1), (Pixels{4, 0, 0, 0, 2, 0, 0, 1, 5, 1, 0}));
}

TEST(CompressImage, RefusesWhatIsNoPicture)
{
    uint8_t pixel = 1;
    uint32_t length = 99;
    EXPECT_EQ(nullptr, CompressImage(&pixel, 1, 0, &length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(nullptr, CompressImage(&pixel, -1, 1, &length));
    EXPECT_EQ(nullptr, CompressImage(nullptr, 1, 1, &length));
}

TEST(CompressImage, MatchesThePlainCompressorAndRoundTrips)
{
    std::mt19937 rng(1234);
    for (int width : {1, 3, 7, 17, 33, 641})
        for (int height : {1, 3, 7, 17, 33})
            for (int transparent : {0, 30, 70, 100}) {
                SCOPED_TRACE(testing::Message() << width << " x " << height << ", " << transparent << "%");
                Pixels raw = RandomPicture(rng, width, height, transparent);
                Pixels form = Compressed(raw, width, height);
                ASSERT_EQ(ReferenceForm(raw, width, height), form);
                ASSERT_TRUE(ValidateCompressedImage(form.data(), form.size(), width, height));
                ASSERT_EQ(raw, Decompressed(form, width, height));
            }
}

TEST(CompressImage, WideRowsThatAlternateOftenStayWithinTheirWorstCase)
{
    // Patterns with the most pairs per pixel: alternation, and runs just past a pair's 255 limit.
    std::vector<Pixels> rows;
    for (int width : {1601, 1602, 4099}) {
        Pixels a(static_cast<size_t>(width)), b(static_cast<size_t>(width));
        for (int c = 0; c < width; ++c) {
            a[size_t(c)] = c % 2 ? 0 : 200;
            b[size_t(c)] = c % 2 ? 200 : 0;
        }
        rows.push_back(a);
        rows.push_back(b);
        Pixels c(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x) c[size_t(x)] = (x % 258) < 256 ? 1 : 0;  // 256 opaque, 2 clear
        rows.push_back(c);
    }
    for (const Pixels& row : rows) {
        const int width = int(row.size());
        Pixels raw;
        for (int r = 0; r < 3; ++r) raw.insert(raw.end(), row.begin(), row.end());
        Pixels form = Compressed(raw, width, 3);
        ASSERT_EQ(ReferenceForm(raw, width, 3), form);
        ASSERT_EQ(raw, Decompressed(form, width, 3));
        for (int r = 0; r < 3; ++r) {
            uint32_t start = ReadLe32(form.data() + 4 * r);
            uint32_t end = r == 2 ? uint32_t(form.size()) : ReadLe32(form.data() + 4 * r + 4);
            EXPECT_LE(end - start, 2u * width + 2 * (width / 255) + 6) << "width " << width;
        }
    }
}

TEST(DecompressImage, LeavesTheBackgroundUnderTransparentPixels)
{
    Pixels form = Compressed({0, 7, 7, 0, 3, 3, 3, 3}, 4, 2);
    // Stride 6: two columns beside the image must stay as they were too.
    Pixels page(12, 0xEE);
    EXPECT_EQ(form.data() + form.size(), DecompressImage(page.data(), 6, 2, form.data()));
    EXPECT_EQ(page, (Pixels{0xEE, 7, 7, 0xEE, 0xEE, 0xEE, 3, 3, 3, 3, 0xEE, 0xEE}));
}

TEST(ValidateCompressedImage, RefusesFormsThatLeaveTheImageOrMissPixels)
{
    const Pixels good = Compressed({0, 7, 7, 0, 3, 3, 3, 3}, 4, 2);
    ASSERT_TRUE(ValidateCompressedImage(good.data(), good.size(), 4, 2));
    EXPECT_FALSE(ValidateCompressedImage(good.data(), good.size(), 5, 2)) << "rows not covered";
    EXPECT_FALSE(ValidateCompressedImage(good.data(), good.size(), 3, 2)) << "rows overrun";
    EXPECT_FALSE(ValidateCompressedImage(good.data(), good.size(), 4, 1));
    EXPECT_FALSE(ValidateCompressedImage(good.data(), good.size(), -4, 2));
    EXPECT_FALSE(ValidateCompressedImage(good.data(), good.size(), 4, -2));
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(ValidateCompressedImage(good.data(), size, 4, 2)) << "cut to " << size;
    Pixels longer = good;
    longer.push_back(0);
    EXPECT_FALSE(ValidateCompressedImage(longer.data(), longer.size(), 4, 2)) << "bytes after the last row";

    auto changed = [&](size_t at, uint8_t value) {
        Pixels form = good;
        form[at] = value;
        return ValidateCompressedImage(form.data(), form.size(), 4, 2);
    };
    EXPECT_FALSE(changed(0, 9)) << "row 0 does not start after the table";
    EXPECT_FALSE(changed(4, 8)) << "row 1's entry points at row 0";
    EXPECT_FALSE(changed(4, 200)) << "row 1's entry points outside";
    EXPECT_FALSE(changed(7, 1)) << "an entry far outside";
    EXPECT_FALSE(changed(8, 3)) << "more pairs than the row holds";
    EXPECT_FALSE(changed(10, 3)) << "skip runs past the row's end";
    EXPECT_FALSE(changed(14, 4)) << "the last pair skips past the end";
    EXPECT_FALSE(changed(19, 3)) << "the row ends a pixel short";
    EXPECT_FALSE(changed(17, 0xFF)) << "a pair count of 65280";

    // Empty forms: no rows at all, or rows of width 0.
    EXPECT_TRUE(ValidateCompressedImage(good.data(), 0, 4, 0));
    const uint8_t zeroWidth[] = {4, 0, 0, 0, 0, 0};
    EXPECT_TRUE(ValidateCompressedImage(zeroWidth, sizeof zeroWidth, 0, 1));
}

TEST(SpriteSetCompression, CompressAndDecompressSwapTheImageForm)
{
    SpriteSet set;
    EXPECT_EQ(0, set.Compress(0));
    EXPECT_STREQ("압축할 스프라이트가 없습니다", set.message);
    EXPECT_EQ(0, set.Decompress(0));
    EXPECT_STREQ("압축을 해제할 스프라이트가 없습니다", set.message);

    const Pixels raw{0, 7, 7, 0, 3, 3, 3, 3};
    ASSERT_EQ(1, set.NewSpace(4, 2, Handed(raw), 0));
    EXPECT_EQ(0, set.Compress(1));
    EXPECT_STREQ("1번 스프라이트는 없습니다", set.message);
    EXPECT_EQ(0, set.Decompress(-1));
    EXPECT_STREQ("-1번 스프라이트는 없습니다", set.message);
    EXPECT_EQ(0, set.Decompress(0));
    EXPECT_STREQ("이미 압축이 해제되어 있습니다", set.message);
    EXPECT_EQ(raw, ImageOf(set.sprites[0]));

    ASSERT_EQ(1, set.Compress(0));
    EXPECT_EQ(1, set.sprites[0].compressed);
    EXPECT_EQ(24u, set.sprites[0].imageSize);
    Pixels form = ImageOf(set.sprites[0]);
    EXPECT_EQ(0, set.Compress(0));
    EXPECT_STREQ("이미 압축되어 있습니다", set.message);
    EXPECT_EQ(form, ImageOf(set.sprites[0]));

    ASSERT_EQ(1, set.Decompress(0));
    EXPECT_EQ(0, set.sprites[0].compressed);
    EXPECT_EQ(8u, set.sprites[0].imageSize);
    EXPECT_EQ(raw, ImageOf(set.sprites[0]));

    std::free(set.sprites[0].image);
    set.sprites[0].image = nullptr;
    EXPECT_EQ(0, set.Compress(0));
    EXPECT_STREQ("이미지 데이타가 없습니다", set.message);
}
