// The sprite file's bytes pinned down: a small set whose every field holds a value of its own is
// written and compared with a file written out here by hand, field by field, and that file loads
// back into exactly those values. Then sets the file cannot hold, refused before a byte is written.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/core/sprite_test_util.h"
#include "tests/core/test_files.h"

namespace {

// Sprite 0: raw 3 x 2, rows 1 0 2 / 0 3 4, one hit box and two attack boxes.
// Sprite 1: compressed 4 x 2, rows 0 7 7 0 / 3 3 3 3, no hit box (its attack box follows the
// entry directly) and one attack box.
const Bytes kGoldenFile = {
    // header
    'Z', 'a', 'r', 'v', 'o', ' ', 's', 'p', 'r', 'i', 't', 'e', 0x00,  // signature
    0xA0, 0xA1, 0xA2,                                                  // reserved, kept
    0x1E, 0x00,                                                        // version 30
    0x02, 0x00,                                                        // 2 sprites
    0x78, 0x56, 0x34, 0x12,                                            // action count 0x12345678
    // sprite 0
    0x00, 0x00,              // raw, reserved
    0xFE, 0xFF, 0x05, 0x01,  // rx -2, ry 0x0105
    0x03, 0x00, 0x02, 0x00,  // width 3, height 2
    0x07, 0x00, 0xF7, 0xFF,  // mx 7, my -9
    0x01, 0x00, 0x02, 0x00,  // 1 hit box, 2 attack boxes
    0x00, 0x00,              // reserved
    0x06, 0x00, 0x00, 0x00,  // image size 6
    0x00, 0x00, 0x00, 0x00,  // reserved
    0x34, 0x12, 0xFD, 0xFF, 0xFC, 0xFF, 0x05, 0x00, 0x07, 0x06, 0x00, 0x80,  // hit box
    0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00, 0x00, 0x00,  // attack box 0
    0xFF, 0x7F, 0x0A, 0x00, 0x14, 0x00, 0x1E, 0x00, 0x28, 0x00, 0x55, 0x00,  // attack box 1
    0x01, 0x00, 0x02, 0x00, 0x03, 0x04,                                      // image
    // sprite 1
    0x01, 0x00,              // compressed, reserved
    0x0B, 0x00, 0xF4, 0xFF,  // rx 11, ry -12
    0x04, 0x00, 0x02, 0x00,  // width 4, height 2
    0x0D, 0x00, 0x0E, 0x00,  // mx 13, my 14
    0x00, 0x00, 0x01, 0x00,  // no hit box, 1 attack box
    0x00, 0x00,              // reserved
    0x18, 0x00, 0x00, 0x00,  // image size 24
    0x00, 0x00, 0x00, 0x00,  // reserved
    0x09, 0x08, 0xFF, 0xFF, 0x00, 0x01, 0x03, 0x00, 0x00, 0x02, 0x02, 0x00,  // attack box
    0x08, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00,  // row table
    0x02, 0x00, 0x01, 0x02, 0x07, 0x07, 0x01, 0x00,  // row 0: skip 1 copy 7 7, skip 1
    0x01, 0x00, 0x00, 0x04, 0x03, 0x03, 0x03, 0x03,  // row 1: copy 3 3 3 3
};

BoxRect Box(int16_t reserved0, int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t reserved1)
{
    return BoxRect{reserved0, x1, y1, x2, y2, reserved1};
}

// The set of kGoldenFile, made through the set's own operations.
void MakeGoldenSet(SpriteSet& set)
{
    ASSERT_EQ(1, set.Insert(0, 3, 2, Handed({1, 0, 2, 0, 3, 4}), 0));
    ASSERT_EQ(1, set.Insert(1, 4, 2, Handed({0, 7, 7, 0, 3, 3, 3, 3}), 1));
    ASSERT_EQ(1, set.InsertHitBox(0, 0, {0, 0, 1, 1}));
    ASSERT_EQ(1, set.InsertAtckBox(0, 0, {0, 0, 1, 1}));
    ASSERT_EQ(1, set.InsertAtckBox(0, 1, {0, 0, 1, 1}));
    ASSERT_EQ(1, set.InsertAtckBox(1, 0, {0, 0, 1, 1}));
    Sprite& a = set.sprites[0];
    a.rx = -2, a.ry = 0x0105, a.mx = 7, a.my = -9;
    a.hitBoxes[0] = Box(0x1234, -3, -4, 5, 0x0607, INT16_MIN);
    a.atckBoxes[0] = Box(0, 1, 2, 3, 4, 0);
    a.atckBoxes[1] = Box(0x7FFF, 10, 20, 30, 40, 0x55);
    Sprite& b = set.sprites[1];
    b.rx = 11, b.ry = -12, b.mx = 13, b.my = 14;
    b.atckBoxes[0] = Box(0x0809, -1, 0x0100, 3, 0x0200, 2);
    const uint8_t reserved[3] = {0xA0, 0xA1, 0xA2};
    std::memcpy(set.header.reserved, reserved, 3);
    set.header.actionCount = 0x12345678;
}

void ExpectBox(const BoxRect& box, const BoxRect& expected)
{
    EXPECT_EQ(0, std::memcmp(&box, &expected, sizeof box))
        << box.reserved0 << " " << box.x1 << " " << box.y1 << " " << box.x2 << " " << box.y2 << " " << box.reserved1;
}

// Every value of the hand-written file, read back field by field.
void ExpectGoldenValues(const SpriteSet& set)
{
    EXPECT_EQ(std::string(set.header.signature), "Zarvo sprite");
    EXPECT_EQ((std::vector<int>{set.header.reserved[0], set.header.reserved[1], set.header.reserved[2]}),
              (std::vector<int>{0xA0, 0xA1, 0xA2}));
    EXPECT_EQ(set.header.version, 30);
    ASSERT_EQ(set.header.count, 2);
    EXPECT_EQ(set.header.actionCount, 0x12345678);

    const Sprite& a = set.sprites[0];
    EXPECT_EQ((std::vector<int>{a.compressed, a.rx, a.ry, a.width, a.height, a.mx, a.my, a.hitCount, a.atckCount}),
              (std::vector<int>{0, -2, 0x0105, 3, 2, 7, -9, 1, 2}));
    ASSERT_EQ(a.imageSize, 6u);
    ExpectBox(a.hitBoxes[0], Box(0x1234, -3, -4, 5, 0x0607, INT16_MIN));
    ExpectBox(a.atckBoxes[0], Box(0, 1, 2, 3, 4, 0));
    ExpectBox(a.atckBoxes[1], Box(0x7FFF, 10, 20, 30, 40, 0x55));
    EXPECT_EQ(ImageOf(a), (Pixels{1, 0, 2, 0, 3, 4}));

    const Sprite& b = set.sprites[1];
    EXPECT_EQ((std::vector<int>{b.compressed, b.rx, b.ry, b.width, b.height, b.mx, b.my, b.hitCount, b.atckCount}),
              (std::vector<int>{1, 11, -12, 4, 2, 13, 14, 0, 1}));
    EXPECT_EQ(b.hitBoxes, nullptr);
    ExpectBox(b.atckBoxes[0], Box(0x0809, -1, 0x0100, 3, 0x0200, 2));
    EXPECT_EQ(ImageOf(b), Pixels(kGoldenFile.end() - 24, kGoldenFile.end()));
}

}  // namespace

TEST(SpriteFileLayout, ASetIsWrittenAsTheHandWrittenFile)
{
    SpriteSet set;
    MakeGoldenSet(set);
    EXPECT_EQ(SavedBytes(set), kGoldenFile);
    TempDir dir;
    const std::string path = dir.File("golden.spr");
    ASSERT_EQ(1, set.Save(path.c_str())) << set.message;
    EXPECT_EQ(ReadBytes(path), kGoldenFile);
}

TEST(SpriteFileLayout, TheHandWrittenFileLoadsIntoItsValues)
{
    SpriteSet fromMemory;
    ASSERT_EQ(1, fromMemory.LoadFromMemory(kGoldenFile.data(), kGoldenFile.size(), "golden.spr")) << fromMemory.message;
    ExpectGoldenValues(fromMemory);

    TempDir dir;
    const std::string path = dir.File("golden.spr");
    ASSERT_TRUE(WriteBytes(path, kGoldenFile));
    SpriteSet fromFile;
    ASSERT_EQ(1, fromFile.Load(path.c_str())) << fromFile.message;
    ExpectGoldenValues(fromFile);
}

// A value that does not fit its field refuses the whole set, names the sprite and the value, and
// leaves the file on disk as it was; the same values at the edges of their fields are saved and
// load back.
TEST(SpriteFileLayout, ValuesTheFileCannotHoldRefuseTheSaveAndKeepTheOldFile)
{
    TempDir dir;
    const std::string path = dir.File("kept.spr");
    ASSERT_TRUE(WriteBytes(path, Bytes{1, 2, 3}));

    // A cut the full width of a 32768-pixel sheet.
    SpriteSet wide;
    ASSERT_EQ(1, wide.Insert(0, 1, 1, Handed({4}), 0));
    ASSERT_EQ(1, wide.Insert(1, 32768, 1, Handed(Pixels(32768, 5)), 0));
    EXPECT_EQ(0, wide.Save(path.c_str()));
    EXPECT_STREQ(wide.message, "1번 스프라이트의 너비(32768)가 파일에 저장할 수 있는 범위(0~32767)를 벗어났습니다");
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"kept.spr"});
    uint8_t* data = reinterpret_cast<uint8_t*>(&wide);
    size_t size = 99;
    EXPECT_EQ(0, wide.SaveToMemory(&data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);

    struct Case {
        int32_t Sprite::*field;
        int64_t refused;
        int64_t edge;
        const char* text;
    };
    const Case cases[] = {
        {&Sprite::rx, 32768, -32768, "0번 스프라이트의 상대좌표 x(32768)가 파일에 저장할 수 있는 범위(-32768~32767)를"},
        {&Sprite::ry, -32769, 32767, "0번 스프라이트의 상대좌표 y(-32769)가"},
        {&Sprite::mx, 100000, -32768, "0번 스프라이트의 중심좌표 x(100000)가"},
        {&Sprite::my, INT32_MIN, 32767, "0번 스프라이트의 중심좌표 y(-2147483648)가"},
        {&Sprite::height, 32768, 32767, "0번 스프라이트의 높이(32768)가 파일에 저장할 수 있는 범위(0~32767)를"},
        {&Sprite::hitCount, 32768, 0, "0번 스프라이트의 충돌상자 수(32768)가"},
        {&Sprite::atckCount, -1, 0, "0번 스프라이트의 공격상자 수(-1)가"},
        {&Sprite::compressed, 2, 0, "0번 스프라이트의 압축 표시(2)가 파일에 저장할 수 있는 범위(0~1)를"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SpriteSet set;
        ASSERT_EQ(1, set.Insert(0, 1, 1, Handed({4}), 0));
        Sprite& sprite = set.sprites[0];
        sprite.*c.field = int32_t(c.refused);
        EXPECT_EQ(0, set.Save(path.c_str()));
        EXPECT_EQ(std::string(set.message).compare(0, std::strlen(c.text), c.text), 0) << set.message;
        EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));

        if (c.field == &Sprite::height) continue;  // another height needs another image
        sprite.*c.field = int32_t(c.edge);
        const Bytes saved = SavedBytes(set);
        SpriteSet loaded;
        ASSERT_EQ(1, loaded.LoadFromMemory(saved.data(), saved.size(), "edge.spr")) << loaded.message;
        ExpectSameSets(set, loaded);
    }

    SpriteSet big;
    ASSERT_EQ(1, big.Insert(0, 1, 1, Handed({4}), 0));
    big.sprites[0].imageSize = 0x80000000u;
    EXPECT_EQ(0, big.Save(path.c_str()));
    EXPECT_STREQ(big.message, "0번 스프라이트의 이미지 크기(2147483648)가 파일에 저장할 수 있는 범위(0~2147483647)를 벗어났습니다");
    big.sprites[0].imageSize = 1;

    // The widest sprite the file holds is saved and loads again.
    SpriteSet widest;
    ASSERT_EQ(1, widest.Insert(0, 32767, 1, Handed(Pixels(32767, 6)), 1));
    ASSERT_EQ(1, widest.Save(path.c_str())) << widest.message;
    SpriteSet loaded;
    ASSERT_EQ(1, loaded.Load(path.c_str())) << loaded.message;
    ExpectSameSets(widest, loaded);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"kept.spr"});
}
