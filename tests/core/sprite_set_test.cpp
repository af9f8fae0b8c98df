#include "sprite/sprite_set.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/sprite_test_util.h"

namespace {

// A set of sprites named by letters: sprite i is 1 x 1 with the pixel 'A' + i.
void MakeLettered(SpriteSet& set, int count)
{
    for (int i = 0; i < count; ++i) ASSERT_EQ(1, set.Insert(i, 1, 1, Filled(1, 1, uint8_t('A' + i)), 0));
}

std::string Letters(const SpriteSet& set)
{
    std::string letters;
    for (int i = 0; i < set.header.count; ++i) letters += char(set.sprites[i].image[0]);
    return letters;
}

}  // namespace

TEST(SpriteSet, InsertIntoAnEmptySetIgnoresTheIndexAndStartsAFreshHeader)
{
    for (int index : {5, -1, 0}) {
        SpriteSet set;
        EXPECT_EQ(nullptr, set.sprites);
        ASSERT_EQ(1, set.Insert(index, 5, 3, Filled(5, 3, 1), 0));
        ASSERT_EQ(1, set.header.count);
        EXPECT_STREQ("Zarvo sprite", set.header.signature);
        EXPECT_EQ(30, set.header.version);
        EXPECT_EQ(0, set.header.actionCount);
        const Sprite& sprite = set.sprites[0];
        EXPECT_EQ(0, sprite.compressed);
        EXPECT_EQ(5, sprite.width);
        EXPECT_EQ(3, sprite.height);
        EXPECT_EQ(2, sprite.mx);
        EXPECT_EQ(1, sprite.my);
        EXPECT_EQ(0, sprite.rx);
        EXPECT_EQ(0, sprite.ry);
        EXPECT_EQ(15u, sprite.imageSize);
        EXPECT_EQ(0, sprite.hitCount);
        EXPECT_EQ(nullptr, sprite.hitBoxes);
        EXPECT_EQ(nullptr, sprite.atckBoxes);
    }
}

TEST(SpriteSet, InsertPlacesAtIndexAndRefusesOutOfRange)
{
    SpriteSet set;
    MakeLettered(set, 2);                                       // A B
    ASSERT_EQ(1, set.Insert(1, 1, 1, Filled(1, 1, 'X'), 0));    // A X B
    ASSERT_EQ(1, set.Insert(3, 1, 1, Filled(1, 1, 'Y'), 0));    // index == count appends
    EXPECT_EQ("AXBY", Letters(set));

    // The images of refused calls are released by the set (the sanitizer build checks for leaks).
    EXPECT_EQ(0, set.Insert(5, 1, 1, Filled(1, 1, 'Z'), 0));
    EXPECT_STREQ("스프라이트 컷 삽입 범위 초과(At Insert)", set.message);
    EXPECT_EQ(0, set.Insert(-1, 1, 1, Filled(1, 1, 'Z'), 0));
    EXPECT_EQ(0, set.Insert(1, 1, 1, nullptr, 0));
    EXPECT_STREQ("이미지 포인터가 NULL입니다(At Insert)", set.message);
    EXPECT_EQ("AXBY", Letters(set));

    // A compression that fails leaves the sprite inserted, raw.
    EXPECT_EQ(0, set.Insert(4, 2, 0, Handed({}), 1));
    EXPECT_STREQ("이미지 압축 실패", set.message);
    ASSERT_EQ(5, set.header.count);
    EXPECT_EQ(0, set.sprites[4].compressed);
    EXPECT_EQ(1, set.Insert(0, 2, 1, Handed({0, 'Q'}), 1));
    EXPECT_EQ(1, set.sprites[0].compressed);
}

TEST(SpriteSet, InsertIntoAFullSetFailsAndKeepsTheSet)
{
    SpriteSet set;
    for (int i = 0; i < kMaxSprites; ++i) ASSERT_EQ(1, set.Insert(i, 1, 1, Filled(1, 1, uint8_t(i)), 0));
    EXPECT_EQ(kMaxSprites, set.capacity) << "growth stops at the limit";
    for (int index : {kMaxSprites, 0}) {
        EXPECT_EQ(0, set.Insert(index, 1, 1, Filled(1, 1, 9), 0));
        EXPECT_STREQ("스프라이트 컷 삽입 범위 초과(At Insert)", set.message);
        EXPECT_EQ(kMaxSprites, set.header.count);
    }
    EXPECT_EQ(1, set.Delete(0));
    EXPECT_EQ(1, set.Insert(kMaxSprites - 1, 1, 1, Filled(1, 1, 9), 0)) << "room again after a delete";
    EXPECT_EQ(1, set.sprites[0].image[0]);
    EXPECT_EQ(9, set.sprites[kMaxSprites - 1].image[0]);
}

TEST(SpriteSet, TheArrayGrowsByHalfAgainAndKeepsItsRoomThroughEdits)
{
    // Appending, inserting in front, deleting and moving over a growing array keep the order that
    // a plain list would have, and the room never falls below the count.
    SpriteSet set;
    std::string expected;
    int growths = 0;
    for (int i = 0; i < 200; ++i) {
        const int before = set.capacity;
        const char letter = char('A' + i % 26);
        const int at = i % 3 == 0 ? 0 : set.header.count;
        ASSERT_EQ(1, set.Insert(at, 1, 1, Filled(1, 1, uint8_t(letter)), 0));
        expected.insert(size_t(at), 1, letter);
        if (set.capacity != before) ++growths;
        ASSERT_GE(set.capacity, set.header.count);
    }
    EXPECT_EQ(expected, Letters(set));
    EXPECT_LE(growths, 12) << "a growth per append would copy the array each time";
    ASSERT_EQ(1, set.Delete(7));
    expected.erase(7, 1);
    ASSERT_EQ(1, set.Move(150, 3));
    const char moved = expected[3];
    expected.erase(3, 1);
    expected.insert(150, 1, moved);
    EXPECT_EQ(expected, Letters(set));

    // Reserve makes room ahead without changing the set; past the limit it refuses.
    SpriteSet reserved;
    MakeLettered(reserved, 3);
    EXPECT_EQ("ABC", Letters(reserved));
    ASSERT_EQ(1, reserved.Reserve(1000));
    EXPECT_EQ(1000, reserved.capacity);
    EXPECT_EQ("ABC", Letters(reserved));
    EXPECT_EQ(0, reserved.Reserve(kMaxSprites + 1));
    EXPECT_EQ(1000, reserved.capacity);
}

TEST(SpriteSet, NewSpaceCompressesOnRequestAndKeepsTheRawSpriteWhenThatFails)
{
    SpriteSet set;
    MakeLettered(set, 3);
    ASSERT_EQ(1, set.NewSpace(4, 2, Handed({0, 7, 7, 0, 3, 3, 3, 3}), 1));
    ASSERT_EQ(1, set.header.count);
    EXPECT_EQ(1, set.sprites[0].compressed);
    EXPECT_EQ(24u, set.sprites[0].imageSize);

    // A picture with no rows has no compressed form.
    EXPECT_EQ(0, set.NewSpace(4, 0, Handed({}), 1));
    EXPECT_STREQ("이미지 압축 실패", set.message);
    ASSERT_EQ(1, set.header.count);
    EXPECT_EQ(0, set.sprites[0].compressed);
}

TEST(SpriteSet, NewSpaceAndTransToSprWithoutAnImageKeepTheSetAndTheMessage)
{
    SpriteSet set;
    MakeLettered(set, 2);
    set.SetMessage("earlier");
    EXPECT_EQ(0, set.NewSpace(3, 3, nullptr, 0));
    EXPECT_EQ(0, set.TransToSpr(3, 3, nullptr));
    EXPECT_STREQ("earlier", set.message);
    EXPECT_EQ("AB", Letters(set));
}

TEST(SpriteSet, TransToSprReplacesTheSetWithOneRawSprite)
{
    SpriteSet set;
    set.header.actionCount = 77;
    MakeLettered(set, 3);
    ASSERT_EQ(1, set.TransToSpr(7, 4, Filled(7, 4, 0)));
    ASSERT_EQ(1, set.header.count);
    EXPECT_EQ(0, set.header.actionCount);
    EXPECT_EQ(30, set.header.version);
    const Sprite& sprite = set.sprites[0];
    EXPECT_EQ(0, sprite.compressed);
    EXPECT_EQ(3, sprite.mx);
    EXPECT_EQ(2, sprite.my);
    EXPECT_EQ(28u, sprite.imageSize);
    EXPECT_EQ(6, sprite.image[6]);
}

TEST(SpriteSet, DeleteMovesLaterSpritesDownAndEmptiesOnTheLast)
{
    SpriteSet set;
    EXPECT_EQ(0, set.Delete(0));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At Delete)", set.message);

    MakeLettered(set, 3);
    EXPECT_EQ(0, set.Delete(3));
    EXPECT_STREQ("3번 스프라이트는 존재하지 않습니다(At Delete)", set.message);
    EXPECT_EQ(0, set.Delete(-1));
    EXPECT_STREQ("-1번 스프라이트는 존재하지 않습니다(At Delete)", set.message);
    EXPECT_EQ("ABC", Letters(set));

    ASSERT_EQ(1, set.Delete(1));
    EXPECT_EQ("AC", Letters(set));
    ASSERT_EQ(1, set.Delete(0));
    ASSERT_EQ(1, set.Delete(0));
    EXPECT_EQ(nullptr, set.sprites);
    SpriteFileHeader zero{};
    EXPECT_EQ(0, std::memcmp(&zero, &set.header, sizeof zero));
}

TEST(SpriteSet, MoveTakesOneSpriteOutAndPutsItAtTheDestination)
{
    struct Case {
        int from, to;
        const char* order;
    };
    for (Case c : {Case{1, 3, "ACDBE"}, Case{3, 1, "ADBCE"}, Case{0, 4, "BCDEA"}, Case{4, 0, "EABCD"},
                   Case{2, 2, "ABCDE"}}) {
        SpriteSet set;
        MakeLettered(set, 5);
        EXPECT_EQ(1, set.Move(c.to, c.from));
        EXPECT_EQ(c.order, Letters(set)) << "from " << c.from << " to " << c.to;
    }
}

TEST(SpriteSet, MoveRefusesMissingSpritesAndPositions)
{
    SpriteSet set;
    EXPECT_EQ(0, set.Move(0, 0));
    EXPECT_STREQ("스프라이트가 존재하지 않습니다(At Move)", set.message);
    MakeLettered(set, 1);
    EXPECT_EQ(1, set.Move(0, 0));
    MakeLettered(set, 3);  // A B C A
    EXPECT_EQ(0, set.Move(1, 4));
    EXPECT_STREQ("4번 스프라이트는 존재하지 않습니다(At Move)", set.message);
    EXPECT_EQ(0, set.Move(4, 2));
    EXPECT_STREQ("2번 스프라이트를 4번 위치에 옮길수 없습니다(At Move)", set.message);
    EXPECT_EQ(0, set.Move(-1, 2));
    EXPECT_STREQ("2번 스프라이트를 -1번 위치에 옮길수 없습니다(At Move)", set.message);
    EXPECT_EQ("ABCA", Letters(set));
}

TEST(SpriteSet, SetMessageCutsLongTextsTo255Bytes)
{
    SpriteSet set;
    std::string path(400, 'p');
    set.SetMessage("파일생성 실패 (%s)", path.c_str());
    std::string expected = std::string("파일생성 실패 (") + path;
    EXPECT_EQ(expected.substr(0, 255), std::string(set.message));
}
