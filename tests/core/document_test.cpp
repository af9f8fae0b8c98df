// The document: each operation succeeds whole or changes nothing, is one step of the history, and
// undoing back to the file gives the file's bytes again.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "image/image_buffer.h"
#include "sprite/document.h"
#include "tests/core/image_test_files.h"
#include "tests/core/sprite_test_util.h"

namespace {

// A sprite file as a user would open it: raw and compressed sprites, boxes of both kinds, and
// header bytes a set made here would not have (reserved bytes, an action count).
Pixels OpenedFile()
{
    std::mt19937 rng(7);
    SpriteSet set;
    const int sizes[][2] = {{5, 4}, {9, 3}, {1, 1}, {17, 6}, {4, 7}};
    for (int i = 0; i < 5; ++i) {
        const int w = sizes[i][0], h = sizes[i][1];
        EXPECT_EQ(set.Insert(i, w, h, Handed(RandomPicture(rng, w, h, 40)), i % 2), 1);
        set.sprites[i].rx = i - 2;
        set.sprites[i].my = i * 3;
        for (int b = 0; b < i % 3; ++b) set.InsertHitBox(i, b, PixelRect{b, 0, w - 1, h - 1 - b});
        if (i % 2 == 0) set.InsertAtckBox(i, 0, PixelRect{0, 1, 2, 2});
    }
    Pixels bytes = SavedBytes(set);
    bytes[13] = 0xAB;  // reserved
    bytes[20] = 9;     // action count
    return bytes;
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        original = OpenedFile();
        ASSERT_EQ(doc.LoadFromMemory(original.data(), original.size(), "hero.spr"), 1);
        Bytes bmp = MakeBmp8(PatternPicture(40, 30));
        ASSERT_EQ(picture.LoadBmpFromMemory(bmp.data(), bmp.size(), "sheet.bmp"), 1);
        Current() = this;
        doc.SetListener([](const DocumentChange& change) { Current()->changes.push_back(change); });
        changes.clear();
    }
    void TearDown() override { Current() = nullptr; }
    static DocumentTest*& Current()
    {
        static DocumentTest* current = nullptr;
        return current;
    }
    unsigned Told() const
    {
        unsigned what = 0;
        for (const DocumentChange& change : changes) what |= change.what;
        return what;
    }

    SpriteSet set;
    Document doc{set};
    ImageBuffer picture;
    Pixels original;
    std::vector<DocumentChange> changes;
};

struct Operation {
    const char* name;  // the step's name, as the Edit menu shows it
    std::function<int(Document&, ImageBuffer&)> run;
    unsigned told;  // what the views hear besides the modified state and the history
};

const Operation kOperations[] = {
    {"Cut sprite 5", [](Document& d, ImageBuffer& p) { return d.Cut(p, {12, 3, 2, 10}, {true, true, false}); },
     kChangeStructure | kChangeCurrent},
    {"Cut 3 sprites", [](Document& d, ImageBuffer& p) {
         return d.CutAll(p, {{0, 0, 3, 3}, {39, 29, 30, 20}, {5, 9, 5, 9}}, {true, false, true}) && d.Count() == 8 &&
                d.Current() == 5;
     },
     kChangeStructure | kChangeCurrent},
    {"Move sprite 3 to 0", [](Document& d, ImageBuffer&) { return d.Move(0, 3); }, kChangeStructure | kChangeCurrent},
    {"Delete sprite 1", [](Document& d, ImageBuffer&) { return d.Delete(1); }, kChangeStructure | kChangeCurrent},
    {u8"Delete sprites 1\u20133", [](Document& d, ImageBuffer&) {
         bool missing = true;
         return d.DeleteRange(1, 3, &missing) && !missing;
     },
     kChangeStructure | kChangeCurrent},
    {u8"Delete sprites 0\u20134", [](Document& d, ImageBuffer&) {
         bool missing = true;
         return d.DeleteRange(0, 4, &missing) && !missing && d.Count() == 0 && d.Current() == -1;
     },
     kChangeStructure | kChangeCurrent},
    {"Move relative coordinate", [](Document& d, ImageBuffer&) { return d.SetRelative(2, 40, -7); },
     kChangeCoordinates},
    {"Move center coordinate", [](Document& d, ImageBuffer&) { return d.SetCenter(4, -1, 3); }, kChangeCoordinates},
    {"Add hit box", [](Document& d, ImageBuffer&) { return d.AddBox(1, BoxKind::kHit, 1, {3, 2, 0, 0}); },
     kChangeBoxes},
    {"Change attack box", [](Document& d, ImageBuffer&) { return d.SetBox(0, BoxKind::kAttack, 0, {1, 1, 4, 3}); },
     kChangeBoxes},
    {"Delete hit box", [](Document& d, ImageBuffer&) { return d.RemoveBox(2, BoxKind::kHit, 1); }, kChangeBoxes},
    {"Compress sprite 0", [](Document& d, ImageBuffer&) { return d.SetCompressed(0, true); }, kChangeImage},
    {"Decompress sprite 3", [](Document& d, ImageBuffer&) { return d.SetCompressed(3, false); }, kChangeImage},
};

}  // namespace

TEST_F(DocumentTest, EachOperationIsOneStepThatUndoesToTheFileAndRedoesToItself)
{
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        ASSERT_EQ(doc.LoadFromMemory(original.data(), original.size(), "hero.spr"), 1);
        changes.clear();
        ASSERT_EQ(op.run(doc, picture), 1) << doc.Message();
        EXPECT_TRUE(doc.Modified());
        EXPECT_EQ(doc.UndoName(), op.name);
        EXPECT_EQ(Told() & op.told, op.told);
        EXPECT_TRUE(Told() & kChangeModified);
        const Pixels after = SavedBytes(set);
        ASSERT_NE(after, original);

        ASSERT_EQ(doc.Undo(), 1);
        EXPECT_EQ(SavedBytes(set), original);
        EXPECT_FALSE(doc.Modified()) << "back at the file";
        EXPECT_FALSE(doc.CanUndo());
        EXPECT_EQ(doc.RedoName(), op.name);
        ASSERT_EQ(doc.Redo(), 1);
        EXPECT_EQ(SavedBytes(set), after);
        EXPECT_TRUE(doc.Modified());
    }
}

TEST_F(DocumentTest, ARefusedOperationChangesNothingAndSaysWhy)
{
    struct Refusal {
        const char* what;
        std::function<int()> run;
        const char* text;  // the message, when it is worth pinning
    };
    auto copy = [&](int from, int first, int last, unsigned kinds) {
        bool missing = false;
        return doc.CopyBoxes(from, first, last, kinds, true, &missing);
    };
    const Refusal refusals[] = {
        {"delete a missing sprite", [&] { return doc.Delete(5); }, "5번 스프라이트는 존재하지 않습니다(At Delete)"},
        {"move a missing sprite", [&] { return doc.Move(0, 9); }, nullptr},
        {"move past the end", [&] { return doc.Move(5, 0); }, nullptr},
        {"coordinates of a missing sprite", [&] { return doc.SetRelative(-1, 0, 0); }, nullptr},
        {"a box at a missing place", [&] { return doc.AddBox(0, BoxKind::kHit, 3, {0, 0, 1, 1}); }, nullptr},
        {"delete a box that is not there", [&] { return doc.RemoveBox(1, BoxKind::kAttack, 0); }, nullptr},
        {"cut outside the picture", [&] { return doc.Cut(picture, {30, 20, 45, 25}, {}); },
         "이미지 포인터가 NULL입니다(At Insert)"},
        {"cut larger than the file holds", [&] { return doc.Cut(picture, {0, 0, 40000, 2}, {}); }, nullptr},
        {"cut all, the second outside the picture",
         [&] { return doc.CutAll(picture, {{0, 0, 3, 3}, {30, 20, 45, 25}, {1, 1, 2, 2}}, {true, true, true}); },
         "이미지 포인터가 NULL입니다(At Insert)"},
        {"cut all, more sprites than the file counts",
         [&] { return doc.CutAll(picture, std::vector<PixelRect>(size_t(kMaxSprites), PixelRect{0, 0, 1, 1}), {}); },
         "스프라이트 컷 삽입 범위 초과(At Insert)"},
        {"compress a missing sprite", [&] { return doc.SetCompressed(7, true); }, nullptr},
        {"copy boxes to sprites wholly past the end", [&] { return copy(0, 5, 7, kHitBoxes); },
         "5~7번 스프라이트는 존재하지 않습니다"},
        {"copy boxes to the source alone", [&] { return copy(2, 2, 2, kHitBoxes); }, "상자를 복사할 스프라이트가 없습니다"},
        {"copy boxes to a range whose first is after its last", [&] { return copy(0, 3, 1, kHitBoxes); },
         "상자를 복사할 스프라이트가 없습니다"},
        {"copy boxes of no kind", [&] { return copy(2, 0, 4, 0); }, nullptr},
        {"copy boxes from a missing sprite", [&] { return copy(5, 0, 4, kHitBoxes); }, "5번 스프라이트는 존재하지 않습니다"},
        {"a range of missing sprites",
         [&] {
             bool missing = false;
             return doc.DeleteRange(8, 12, &missing);
         },
         "8~12번 스프라이트는 존재하지 않습니다(At Delete)"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        changes.clear();
        set.message[0] = 0;
        EXPECT_EQ(r.run(), 0);
        EXPECT_NE(std::string(doc.Message()), "");
        if (r.text != nullptr) {
            EXPECT_EQ(std::string(doc.Message()), r.text);
        }
        EXPECT_EQ(SavedBytes(set), original);
        EXPECT_FALSE(doc.Modified());
        EXPECT_FALSE(doc.CanUndo());
        EXPECT_TRUE(changes.empty());
    }
}

TEST_F(DocumentTest, ActionsThatChangeNothingLeaveNoStep)
{
    bool missing = true;
    EXPECT_EQ(doc.Move(2, 2), 1) << "a click on a thumbnail is no move";
    EXPECT_EQ(doc.SetCompressed(1, true), 1) << "sprite 1 is compressed already";
    EXPECT_EQ(doc.SetRelative(3, set.sprites[3].rx, set.sprites[3].ry), 1);
    EXPECT_EQ(doc.DeleteRange(4, 2, &missing), 1);
    EXPECT_FALSE(missing);
    doc.Select(doc.Current());
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(SavedBytes(set), original);
}

TEST_F(DocumentTest, ARangePastTheEndDeletesWhatExistsAndNamesTheRestOnce)
{
    bool missing = false;
    EXPECT_EQ(doc.DeleteRange(3, 999, &missing), 1);
    EXPECT_TRUE(missing);
    EXPECT_STREQ(doc.Message(), "5~999번 스프라이트는 존재하지 않습니다(At Delete)");
    EXPECT_EQ(doc.Count(), 3);
    EXPECT_EQ(doc.UndoName(), u8"Delete sprites 3\u20134");

    ASSERT_EQ(doc.LoadFromMemory(original.data(), original.size(), "hero.spr"), 1);
    EXPECT_EQ(doc.DeleteRange(-2, 0, &missing), 1);
    EXPECT_STREQ(doc.Message(), "-2~-1번 스프라이트는 존재하지 않습니다(At Delete)");
    EXPECT_EQ(doc.Count(), 4);
}

TEST_F(DocumentTest, TheCurrentSpriteFollowsTheChangeAndItsUndo)
{
    doc.Select(3);
    ASSERT_EQ(doc.Move(1, 3), 1);
    EXPECT_EQ(doc.Current(), 1) << "the moved sprite stays current";
    doc.Select(4);
    ASSERT_EQ(doc.Undo(), 1);
    EXPECT_EQ(doc.Current(), 3) << "undo makes current the sprite that changed";
    ASSERT_EQ(doc.Delete(4), 1);
    EXPECT_EQ(doc.Current(), 3);
    ASSERT_EQ(doc.Cut(picture, {0, 0, 3, 3}, {}), 1);
    EXPECT_EQ(doc.Current(), 4) << "a new sprite is current";
    ASSERT_EQ(doc.Undo(), 1);
    ASSERT_EQ(doc.Undo(), 1);
    EXPECT_EQ(doc.Current(), 3);
}

TEST_F(DocumentTest, AGestureIsOneStepAndACancelledOneLeavesNothing)
{
    doc.BeginGesture();
    ASSERT_EQ(doc.AddBox(0, BoxKind::kHit, set.sprites[0].hitCount, {1, 1, 1, 1}), 1);
    for (int x = 2; x < 5; ++x) ASSERT_EQ(doc.SetBox(0, BoxKind::kHit, set.sprites[0].hitCount - 1, {1, 1, x, x}), 1);
    doc.EndGesture();
    EXPECT_EQ(doc.UndoName(), "Add hit box");
    const Pixels drawn = SavedBytes(set);
    ASSERT_EQ(doc.Undo(), 1);
    EXPECT_EQ(SavedBytes(set), original);
    EXPECT_FALSE(doc.CanUndo()) << "one step for the whole drag";
    ASSERT_EQ(doc.Redo(), 1);
    EXPECT_EQ(SavedBytes(set), drawn);

    const Pixels before = SavedBytes(set);
    doc.BeginGesture();
    for (int x = 0; x < 5; ++x) ASSERT_EQ(doc.SetRelative(2, x, -x), 1);
    EXPECT_TRUE(doc.Modified());
    doc.CancelGesture();
    EXPECT_EQ(SavedBytes(set), before) << "a lost drag restores the coordinate";
    EXPECT_EQ(doc.UndoName(), "Add hit box");
    EXPECT_TRUE(changes.back().what & kChangeCoordinates);
}

TEST_F(DocumentTest, ModifiedMeansDiffersFromTheFileOnDisk)
{
    TempDir dir;
    const std::string path = dir.File("saved.spr");
    ASSERT_EQ(doc.SetRelative(0, 9, 9), 1);
    ASSERT_EQ(doc.Save(path.c_str()), 1);
    EXPECT_FALSE(doc.Modified());
    ASSERT_EQ(doc.Undo(), 1);
    EXPECT_TRUE(doc.Modified()) << "the file holds the coordinate undone";
    ASSERT_EQ(doc.Redo(), 1);
    EXPECT_FALSE(doc.Modified());

    ASSERT_EQ(doc.Undo(), 1);
    ASSERT_EQ(doc.Delete(0), 1);  // a new branch: the saved state can no longer be reached
    EXPECT_TRUE(doc.Modified());
    ASSERT_EQ(doc.Undo(), 1);
    EXPECT_TRUE(doc.Modified());

    doc.ForgetHistory();
    EXPECT_TRUE(doc.Modified()) << "forgetting the history forgets no change";
    EXPECT_FALSE(doc.CanUndo());
    doc.New();
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.Count(), 0);
}

TEST_F(DocumentTest, TheHistoryKeepsItsNewestStepsWithinItsLimits)
{
    doc.GetHistory().SetLimits(3, kHistoryByteLimit);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(doc.SetRelative(0, i, i), 1);
    EXPECT_EQ(doc.GetHistory().Steps(), 3);
    int undone = 0;
    while (doc.Undo()) ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(set.sprites[0].rx, 1) << "the two oldest steps are gone";
    EXPECT_TRUE(doc.Modified()) << "the file's state went with them";

    // Beyond the newest step, the bytes held are bounded too.
    ASSERT_EQ(doc.LoadFromMemory(original.data(), original.size(), "hero.spr"), 1);
    doc.GetHistory().SetLimits(kHistoryStepLimit, 1);
    bool missing = false;
    ASSERT_EQ(doc.DeleteRange(0, 1, &missing), 1);
    ASSERT_EQ(doc.Delete(0), 1);
    EXPECT_EQ(doc.GetHistory().Steps(), 1);
    EXPECT_GT(doc.GetHistory().Bytes(), 0u);
}

// Random actions, valid or not, some inside drags: undoing all of them gives the file's bytes,
// redoing all of them the bytes before the undos.
TEST_F(DocumentTest, AnySequenceUndoesToTheFileAndRedoesToTheSameBytes)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        ASSERT_EQ(doc.LoadFromMemory(original.data(), original.size(), "hero.spr"), 1);
        std::mt19937 rng(seed);
        auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
        for (int action = 0; action < 60; ++action) {
            const int n = pick(-1, doc.Count());
            const BoxKind kind = pick(0, 1) ? BoxKind::kHit : BoxKind::kAttack;
            const PixelRect rect{pick(-3, 20), pick(-3, 20), pick(-3, 20), pick(-3, 20)};
            bool missing = false;
            switch (pick(0, 13)) {
            case 0: doc.Cut(picture, rect, {pick(0, 1) == 1, pick(0, 1) == 1, pick(0, 1) == 1}); break;
            case 1: doc.Move(pick(-1, doc.Count()), n); break;
            case 2: doc.Delete(n); break;
            case 3: doc.DeleteRange(n, n + pick(-1, 3), &missing); break;
            case 4: doc.SetRelative(n, pick(-50, 50), pick(-50, 50)); break;
            case 5: doc.SetCenter(n, pick(-50, 50), pick(-50, 50)); break;
            case 6: doc.AddBox(n, kind, pick(0, 2), rect); break;
            case 7: doc.SetBox(n, kind, pick(0, 2), rect); break;
            case 8: doc.RemoveBox(n, kind, pick(0, 2)); break;
            case 9: doc.SetCompressed(n, pick(0, 1) == 1); break;
            case 10: pick(0, 1) ? doc.BeginGesture() : doc.EndGesture(); break;
            case 11: if (pick(0, 3) == 0) doc.CancelGesture(); break;
            case 12: pick(0, 1) ? doc.Undo() : doc.Redo(); break;
            case 13: doc.CopyBoxes(n, pick(-1, 5), pick(-1, 5), unsigned(pick(0, 3)), pick(0, 1) == 1, &missing); break;
            }
        }
        doc.EndGesture();
        const Pixels before = SavedBytes(set);
        int undone = 0;
        while (doc.Undo()) ++undone;
        EXPECT_EQ(SavedBytes(set), original);
        EXPECT_FALSE(doc.Modified());
        for (int i = 0; i < undone; ++i) ASSERT_EQ(doc.Redo(), 1);
        EXPECT_EQ(SavedBytes(set), before);
    }
}

namespace {

// A set whose sprites' boxes tell them apart: sprite 0 has a hit box, 1 an attack box, 2 two hit
// boxes and an attack box, 3 none, 4 a hit box.
Pixels BoxedFile()
{
    SpriteSet set;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(set.Insert(i, 10, 10, Filled(10, 10, uint8_t(i + 1)), 0), 1);
    set.InsertHitBox(0, 0, {1, 1, 2, 2});
    set.InsertAtckBox(1, 0, {0, 0, 3, 3});
    set.InsertHitBox(2, 0, {4, 4, 5, 5});
    set.InsertHitBox(2, 1, {6, 6, 7, 7});
    set.InsertAtckBox(2, 0, {8, 8, 9, 9});
    set.InsertHitBox(4, 0, {1, 2, 3, 4});
    return SavedBytes(set);
}

std::string ListText(const BoxRect* boxes, int count)
{
    std::string text;
    for (int b = 0; b < count; ++b)
        text += "(" + std::to_string(boxes[b].x1) + "," + std::to_string(boxes[b].y1) + "," + std::to_string(boxes[b].x2) +
                "," + std::to_string(boxes[b].y2) + ")";
    return text;
}

// Each sprite's boxes: "H(1,1,2,2) A | H A(0,0,3,3) | ...".
std::string BoxesText(const SpriteSet& set)
{
    std::string text;
    for (int n = 0; n < set.Count(); ++n) {
        const Sprite& s = set.sprites[n];
        text += (n > 0 ? " | H" : "H") + ListText(s.hitBoxes, s.hitCount) + " A" + ListText(s.atckBoxes, s.atckCount);
    }
    return text;
}

}  // namespace

TEST_F(DocumentTest, CopyBoxesToTheNextSpriteARangeOrAllReplacingOrAdding)
{
    const unsigned both = kHitBoxes | kAttackBoxes;
    const struct {
        const char* what;
        int from, first, last;
        unsigned kinds;
        bool replace;
        const char* boxes;  // afterwards
        const char* name;
        const char* missing;  // the message naming the numbers outside the set, or null
    } cases[] = {
        {"the next sprite, both kinds, replacing", 2, 3, 3, both, true,
         "H(1,1,2,2) A | H A(0,0,3,3) | H(4,4,5,5)(6,6,7,7) A(8,8,9,9) | H(4,4,5,5)(6,6,7,7) A(8,8,9,9) | H(1,2,3,4) A",
         "Copy boxes to sprite 3", nullptr},
        {"all sprites, hit boxes added after theirs, the source's once", 0, 0, 4, kHitBoxes, false,
         "H(1,1,2,2) A | H(1,1,2,2) A(0,0,3,3) | H(4,4,5,5)(6,6,7,7)(1,1,2,2) A(8,8,9,9) | H(1,1,2,2) A | "
         "H(1,2,3,4)(1,1,2,2) A",
         u8"Copy hit boxes to sprites 1\u20134", nullptr},
        {"all sprites, attack boxes replacing, the source left out", 1, 0, 4, kAttackBoxes, true,
         "H(1,1,2,2) A(0,0,3,3) | H A(0,0,3,3) | H(4,4,5,5)(6,6,7,7) A(0,0,3,3) | H A(0,0,3,3) | H(1,2,3,4) A(0,0,3,3)",
         u8"Copy attack boxes to sprites 0\u20134", nullptr},
        {"replacing with none clears theirs", 3, 0, 4, both, true, "H A | H A | H A | H A | H A",
         u8"Copy boxes to sprites 0\u20134", nullptr},
        {"the source at the range's end", 4, 2, 4, kHitBoxes, true,
         "H(1,1,2,2) A | H A(0,0,3,3) | H(1,2,3,4) A(8,8,9,9) | H(1,2,3,4) A | H(1,2,3,4) A",
         u8"Copy hit boxes to sprites 2\u20133", nullptr},
        {"past the end: the sprites that exist, the rest named", 0, 3, 9, kHitBoxes, true,
         "H(1,1,2,2) A | H A(0,0,3,3) | H(4,4,5,5)(6,6,7,7) A(8,8,9,9) | H(1,1,2,2) A | H(1,1,2,2) A",
         u8"Copy hit boxes to sprites 3\u20134", "5~9번 스프라이트는 존재하지 않습니다"},
        {"before the start", 4, -2, 0, both, false,
         "H(1,1,2,2)(1,2,3,4) A | H A(0,0,3,3) | H(4,4,5,5)(6,6,7,7) A(8,8,9,9) | H A | H(1,2,3,4) A",
         "Copy boxes to sprite 0", "-2~-1번 스프라이트는 존재하지 않습니다"},
    };
    const Pixels file = BoxedFile();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(doc.LoadFromMemory(file.data(), file.size(), "boxes.spr"), 1);
        doc.Select(c.from);
        const std::string before = BoxesText(set);
        changes.clear();
        bool missing = false;
        ASSERT_EQ(doc.CopyBoxes(c.from, c.first, c.last, c.kinds, c.replace, &missing), 1) << doc.Message();
        EXPECT_EQ(BoxesText(set), c.boxes);
        EXPECT_EQ(doc.UndoName(), c.name);
        EXPECT_EQ(missing, c.missing != nullptr);
        if (c.missing != nullptr) {
            EXPECT_STREQ(doc.Message(), c.missing);
        }
        EXPECT_EQ(doc.Current(), c.from);
        EXPECT_EQ(Told() & (kChangeBoxes | kChangeStructure), kChangeBoxes);

        ASSERT_EQ(doc.Undo(), 1);
        EXPECT_EQ(SavedBytes(set), file) << "one step takes it all back";
        EXPECT_EQ(BoxesText(set), before);
        ASSERT_EQ(doc.Redo(), 1);
        EXPECT_EQ(BoxesText(set), c.boxes);
    }
}

TEST_F(DocumentTest, CopyBoxesThatChangeNothingLeaveNoStep)
{
    const Pixels file = BoxedFile();
    ASSERT_EQ(doc.LoadFromMemory(file.data(), file.size(), "boxes.spr"), 1);
    changes.clear();
    bool missing = false;
    EXPECT_EQ(doc.CopyBoxes(3, 0, 4, kHitBoxes | kAttackBoxes, false, &missing), 1) << "sprite 3 has no boxes to add";
    EXPECT_EQ(doc.CopyBoxes(1, 3, 3, kHitBoxes, true, &missing), 1) << "no hit boxes replacing none";
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(changes.empty());

    ASSERT_EQ(doc.CopyBoxes(2, 0, 4, kAttackBoxes, true, &missing), 1);
    ASSERT_EQ(doc.GetHistory().Steps(), 1);
    EXPECT_EQ(doc.CopyBoxes(2, 0, 4, kAttackBoxes, true, &missing), 1);
    EXPECT_EQ(doc.GetHistory().Steps(), 1) << "their attack boxes are the source's already";
}

// A list the file cannot hold is refused before anything changes, even when other sprites of the
// range would take the boxes.
TEST_F(DocumentTest, CopyBoxesRefusesAListTheFileCannotHold)
{
    const Pixels file = BoxedFile();
    ASSERT_EQ(doc.LoadFromMemory(file.data(), file.size(), "boxes.spr"), 1);
    Sprite& full = set.sprites[3];
    full.hitCount = 32766;
    full.hitBoxes = static_cast<BoxRect*>(std::calloc(size_t(full.hitCount), sizeof(BoxRect)));
    ASSERT_NE(full.hitBoxes, nullptr);
    const Pixels before = SavedBytes(set);
    bool missing = false;
    EXPECT_EQ(doc.CopyBoxes(2, 0, 4, kHitBoxes, false, &missing), 0);
    EXPECT_STREQ(doc.Message(), "3번 스프라이트의 충돌상자가 파일에 저장할 수 있는 수를 넘습니다");
    EXPECT_EQ(SavedBytes(set), before);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.CopyBoxes(0, 0, 4, kHitBoxes, false, &missing), 1) << "one box more still fits";
    EXPECT_EQ(set.sprites[3].hitCount, 32767);
}
