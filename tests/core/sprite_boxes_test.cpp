#include <gtest/gtest.h>

#include <string>

#include "tests/core/sprite_test_util.h"

namespace {

std::string Corners(const BoxRect* boxes, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        const BoxRect& b = boxes[i];
        text += "(" + std::to_string(b.x1) + "," + std::to_string(b.y1) + "," + std::to_string(b.x2) + "," +
                std::to_string(b.y2) + ")";
    }
    return text;
}

std::string HitBoxes(const SpriteSet& set, int s) { return Corners(set.sprites[s].hitBoxes, set.sprites[s].hitCount); }
std::string AtckBoxes(const SpriteSet& set, int s) { return Corners(set.sprites[s].atckBoxes, set.sprites[s].atckCount); }

}  // namespace

TEST(SpriteBoxes, InsertOrdersCornersAndPlacesBoxesAtTheirIndex)
{
    SpriteSet set;
    ASSERT_EQ(1, set.NewSpace(20, 20, Filled(20, 20, 1), 0));
    ASSERT_EQ(1, set.InsertHitBox(0, 0, {10, 20, 2, 5}));
    ASSERT_EQ(1, set.InsertHitBox(0, 1, {1, 1, 1, 1}));    // b == hitCount appends
    ASSERT_EQ(1, set.InsertHitBox(0, 0, {-3, 4, 0, -4}));
    EXPECT_EQ("(-3,-4,0,4)(2,5,10,20)(1,1,1,1)", HitBoxes(set, 0));
    EXPECT_EQ(0, set.sprites[0].hitBoxes[1].reserved0);
    EXPECT_EQ(0, set.sprites[0].hitBoxes[1].reserved1);
    // Only the low 16 bits are stored, compared as signed numbers.
    ASSERT_EQ(1, set.InsertAtckBox(0, 0, {0x10005, 0, 0xFFFF, 0}));
    EXPECT_EQ("(-1,0,5,0)", AtckBoxes(set, 0));

    EXPECT_EQ(0, set.InsertHitBox(0, 4, {0, 0, 1, 1}));
    EXPECT_STREQ("잘못된 충돌상자 번호지정(At InsertHitBox)", set.message);
    EXPECT_EQ(0, set.InsertAtckBox(0, -1, {0, 0, 1, 1}));
    EXPECT_STREQ("잘못된 공격상자 번호지정(At InsertAtckBox)", set.message);
    EXPECT_EQ(0, set.InsertHitBox(1, 0, {0, 0, 1, 1}));
    EXPECT_STREQ("잘못된 스프라이트 번호지정(At InsertHitBox)", set.message);
    EXPECT_EQ(0, set.InsertAtckBox(-1, 0, {0, 0, 1, 1}));
    EXPECT_STREQ("잘못된 스프라이트 번호지정(At InsertAtckBox)", set.message);
    EXPECT_EQ(3, set.sprites[0].hitCount);
    EXPECT_EQ(1, set.sprites[0].atckCount);
}

TEST(SpriteBoxes, SetChangesCornersButNeverAppends)
{
    SpriteSet set;
    ASSERT_EQ(1, set.NewSpace(9, 9, Filled(9, 9, 1), 0));
    ASSERT_EQ(1, set.InsertHitBox(0, 0, {0, 0, 8, 8}));
    set.sprites[0].hitBoxes[0].reserved0 = 77;  // as read from a file
    ASSERT_EQ(1, set.SetHitBox(0, 0, {7, 6, 1, 2}));
    EXPECT_EQ("(1,2,7,6)", HitBoxes(set, 0));
    EXPECT_EQ(77, set.sprites[0].hitBoxes[0].reserved0);

    EXPECT_EQ(0, set.SetHitBox(0, 1, {0, 0, 1, 1}));
    EXPECT_STREQ("잘못된 충돌상자 번호지정(At InsertHitBox)", set.message);
    EXPECT_EQ(0, set.SetAtckBox(0, 0, {0, 0, 1, 1}));
    EXPECT_STREQ("잘못된 공격상자 번호지정(At InsertAtckBox)", set.message);
    EXPECT_EQ(1, set.sprites[0].hitCount);
    EXPECT_EQ(0, set.sprites[0].atckCount);
}

TEST(SpriteBoxes, DeleteRemovesOneBoxOfOneKind)
{
    SpriteSet set;
    ASSERT_EQ(1, set.NewSpace(9, 9, Filled(9, 9, 1), 0));
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(1, set.InsertHitBox(0, i, {i, i, i, i}));
        ASSERT_EQ(1, set.InsertAtckBox(0, i, {i, 0, i, 0}));
    }
    ASSERT_EQ(1, set.DeleteHitBox(0, 1));
    EXPECT_EQ("(0,0,0,0)(2,2,2,2)", HitBoxes(set, 0));
    EXPECT_EQ("(0,0,0,0)(1,0,1,0)(2,0,2,0)", AtckBoxes(set, 0));
    ASSERT_EQ(1, set.DeleteAtckBox(0, 0));
    EXPECT_EQ("(1,0,1,0)(2,0,2,0)", AtckBoxes(set, 0));
    EXPECT_EQ("(0,0,0,0)(2,2,2,2)", HitBoxes(set, 0));

    EXPECT_EQ(0, set.DeleteHitBox(0, 2));
    EXPECT_STREQ("0번 스프라이트의 2번 충돌상자는 없습니다(At DeleteHitBox)", set.message);
    EXPECT_EQ(0, set.DeleteAtckBox(0, -1));
    EXPECT_STREQ("0번 스프라이트의 -1번 공격상자는 없습니다(At DeleteAtckBox)", set.message);
    EXPECT_EQ(0, set.DeleteHitBox(3, 0));
    EXPECT_STREQ("잘못된 스프라이트 번호지정(At DeleteHitBox)", set.message);

    ASSERT_EQ(1, set.DeleteHitBox(0, 1));
    ASSERT_EQ(1, set.DeleteHitBox(0, 0));
    EXPECT_EQ(0, set.sprites[0].hitCount);
    EXPECT_EQ(nullptr, set.sprites[0].hitBoxes);
    EXPECT_EQ(0, set.DeleteHitBox(0, 0));
    EXPECT_STREQ("0번 스프라이트는 충돌상자가 존재하지 않습니다(At DeleteHitBox)", set.message);
    ASSERT_EQ(1, set.DeleteAtckBox(0, 0));
    ASSERT_EQ(1, set.DeleteAtckBox(0, 0));
    EXPECT_EQ(0, set.DeleteAtckBox(0, 0));
    EXPECT_STREQ("0번 스프라이트는 공격상자가 존재하지 않습니다(At DeleteAtckBox)", set.message);
}

TEST(SpriteBoxes, EveryOperationNeedsASprite)
{
    SpriteSet set;
    const PixelRect r{0, 0, 1, 1};
    EXPECT_EQ(0, set.InsertHitBox(0, 0, r));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At InsertHitBox)", set.message);
    EXPECT_EQ(0, set.SetHitBox(0, 0, r));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At InsertHitBox)", set.message);
    EXPECT_EQ(0, set.DeleteHitBox(0, 0));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At DeleteHitBox)", set.message);
    EXPECT_EQ(0, set.InsertAtckBox(0, 0, r));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At InsertAtckBox)", set.message);
    EXPECT_EQ(0, set.SetAtckBox(0, 0, r));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At InsertAtckBox)", set.message);
    EXPECT_EQ(0, set.DeleteAtckBox(0, 0));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At DeleteAtckBox)", set.message);
}
