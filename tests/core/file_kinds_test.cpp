// Which command opens a file named without a dialog, and the order of several.
#include <gtest/gtest.h>

#include "settings/file_kinds.h"

TEST(FileKindsTest, TheEndingChoosesTheCommandInAnyCase)
{
    const std::pair<const char*, FileKind> cases[] = {
        {"C:\\a\\hero.spr", FileKind::kSprite},   {"HERO.SPR", FileKind::kSprite},
        {"sheet.bmp", FileKind::kSheet},          {"sheet.Pcx", FileKind::kSheet},
        {"sheet.PNG", FileKind::kSheet},          {"colors.pal", FileKind::kPalette},
        {"notes.txt", FileKind::kUnknown},        {"spr", FileKind::kUnknown},
        {"C:\\folder.spr\\file", FileKind::kUnknown}, {"", FileKind::kUnknown},
        {"archive.spr.zip", FileKind::kUnknown},  {"x.bmpx", FileKind::kUnknown},
    };
    for (const auto& [name, kind] : cases) EXPECT_EQ(KindOfFile(name), kind) << name;
}

TEST(FileKindsTest, SeveralOpenSheetPaletteSpriteOrNotAtAll)
{
    struct Case {
        std::vector<std::string> names;
        OpeningPlan::Refusal refusal;
        int refused;
        std::vector<int> order;
    };
    const Case cases[] = {
        {{"a.spr"}, OpeningPlan::kNone, -1, {0}},
        {{"a.pal", "b.bmp"}, OpeningPlan::kNone, -1, {1, 0}},
        {{"a.spr", "b.pal", "c.pcx"}, OpeningPlan::kNone, -1, {2, 1, 0}},
        {{}, OpeningPlan::kNone, -1, {}},
        {{"a.bmp", "b.txt", "c.pal"}, OpeningPlan::kUnknownKind, 1, {}},
        {{"a.bmp", "b.PNG"}, OpeningPlan::kSecondOfKind, 1, {}},
        {{"a.spr", "b.pal", "c.spr"}, OpeningPlan::kSecondOfKind, 2, {}},
    };
    for (const Case& c : cases) {
        const OpeningPlan plan = PlanOpening(c.names);
        EXPECT_EQ(plan.refusal, c.refusal) << c.names.size();
        EXPECT_EQ(plan.refused, c.refused);
        EXPECT_EQ(plan.order, c.order);
    }
}
