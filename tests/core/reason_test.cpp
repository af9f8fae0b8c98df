// Each refusal's code beside its text: one row per cause a front end tells apart, the texts the
// window shows unchanged, and the causes that those texts used to blur kept apart by the code.
#include "sprite/reason.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/image_buffer.h"
#include "sprite/sprite_set.h"
#include "tests/core/image_test_files.h"
#include "tests/core/sprite_file_builder.h"
#include "tests/core/sprite_test_util.h"

namespace {

BmpFields PlainBmp(int32_t width, int32_t height)
{
    BmpFields f;
    f.width = width;
    f.height = height;
    f.table = TestColorTable(256);
    f.pixels = Bytes(64, 1);
    return f;
}

struct Row {
    const char* what;
    std::function<int(SpriteSet&, ImageBuffer&)> run;  // the failing call
    bool onPicture;                                   // the picture's channel, else the set's
    Reason reason;
    std::string text;                                 // the window's text, as it always was
};

}  // namespace

TEST(Reason, EachRefusalKeepsItsTextAndNamesItsCause)
{
    TempDir dir;
    const std::string missing = dir.File("missing.bmp");
    SpriteFileBuilder negative;
    negative.Header(-1).SpriteEntry(SpriteFileBuilder::Entry{}).Byte(9);
    SpriteFileBuilder truncated;
    truncated.Header(2);
    PcxFields hugePcx;
    hugePcx.xmin = hugePcx.ymin = -16384;
    hugePcx.xmax = hugePcx.ymax = 16383;
    hugePcx.bytesPerLine = 32768;
    hugePcx.data = Bytes(64, 1);
    PcxFields reversed;
    reversed.xmin = 5;
    reversed.xmax = 4;
    reversed.data = Bytes(64, 1);
    const Bytes hugeBmp = MakeBmp(PlainBmp(32769, 1));
    const Bytes zeroBmp = MakeBmp(PlainBmp(0, 4));
    BmpFields fiveRows = PlainBmp(4, 5);
    fiveRows.pixels = Bytes(20, 1);
    Bytes shortBmp = MakeBmp(fiveRows);
    shortBmp.resize(shortBmp.size() - 10);
    WriteLe32(&shortBmp[2], 0);

    auto spr = [](const Bytes& bytes) {
        return [bytes](SpriteSet& set, ImageBuffer&) { return set.LoadFromMemory(bytes.data(), bytes.size(), "x.spr"); };
    };
    auto bmp = [](const Bytes& bytes) {
        return [bytes](SpriteSet&, ImageBuffer& p) { return p.LoadBmpFromMemory(bytes.data(), bytes.size(), "x.bmp"); };
    };
    auto pcx = [](const Bytes& bytes) {
        return [bytes](SpriteSet&, ImageBuffer& p) { return p.LoadPcxFromMemory(bytes.data(), bytes.size(), "x.pcx"); };
    };
    const Row rows[] = {
        {"negative count", spr(negative.bytes), false, Reason::kNegativeCount, "메모리 할당 실패(헤더)"},
        {"truncated", spr(truncated.bytes), false, Reason::kSpriteFileDamaged, "스프라이트 파일이 손상되었습니다(x.spr)"},
        {"not a sprite file", spr(zeroBmp), false, Reason::kNotSpriteFile, "스프라이트 파일이 아닙니다(x.spr)"},
        {"sprite file missing", [&](SpriteSet& s, ImageBuffer&) { return s.Load(missing.c_str()); }, false,
         Reason::kFileMissing, "파일이 없습니다(" + missing + ")"},
        {"nothing to save", [](SpriteSet& s, ImageBuffer&) { return s.CheckStorable(); }, false,
         Reason::kNothingToSave, "저장할 스프라이트가 없습니다."},
        {"no rows to compress", [](SpriteSet& s, ImageBuffer&) { return s.NewSpace(3, 0, Handed({}), 1); }, false,
         Reason::kCannotCompress, "이미지 압축 실패"},
        {"insert past the end", [](SpriteSet& s, ImageBuffer&) {
             s.NewSpace(1, 1, Handed({1}), 0);
             return s.Insert(3, 1, 1, Handed({1}), 0);
         }, false, Reason::kIndexOutOfRange, "스프라이트 컷 삽입 범위 초과(At Insert)"},
        {"absurd BMP size", bmp(hugeBmp), true, Reason::kPictureTooLarge, "x.bmp 메모리가 부족합니다."},
        {"BMP width 0", bmp(zeroBmp), true, Reason::kBadBmpHeader, "x.bmp BMP헤더가 잘못되었습니다."},
        {"BMP cut short", bmp(shortBmp), true, Reason::kFileCutShort, "x.bmp 파일을 읽을수 없습니다."},
        {"sprite file as BMP", bmp(negative.bytes), true, Reason::kNotBmp, "x.bmp BMP파일이 아닙니다."},
        {"BMP missing", [&](SpriteSet&, ImageBuffer& p) { return p.LoadBmp(missing.c_str()); }, true,
         Reason::kFileMissing, missing + " 파일이 없습니다."},
        {"absurd PCX size", pcx(MakePcx(hugePcx)), true, Reason::kPictureTooLarge, "메모리가 부족합니다"},
        {"PCX corners reversed", pcx(MakePcx(reversed)), true, Reason::kBadPcxSize,
         "x.pcx PCX파일의 그림 크기가 잘못되었습니다."},
        {"BMP as PCX", pcx(zeroBmp), true, Reason::kNotPcx, "x.pcx는 PCX파일이 아닙니다."},
    };
    for (const Row& row : rows) {
        SpriteSet set;
        ImageBuffer picture;
        EXPECT_EQ(0, row.run(set, picture)) << row.what;
        const char* text = row.onPicture ? picture.message : set.message;
        EXPECT_EQ(row.text, text) << row.what;
        EXPECT_EQ(int(row.reason), int(row.onPicture ? picture.reason : set.reason)) << row.what;
    }
}

TEST(Reason, ASuccessLeavesTheLastFailureAsItWas)
{
    SpriteSet set;
    EXPECT_EQ(Reason::kNone, set.reason);
    EXPECT_EQ(0, set.Delete(0));
    EXPECT_EQ(Reason::kNoSprites, set.reason);
    ASSERT_EQ(1, set.NewSpace(1, 1, Handed({1}), 0));
    EXPECT_EQ(Reason::kNoSprites, set.reason);
    set.SetMessage("%s", "text of its own");
    EXPECT_EQ(Reason::kOther, set.reason);
}
