// The command-line tool's library: the JSON of a set, the atlas layout, the drawn dump and the
// texts shown in a terminal. `info --json` is run as the program to compare with the set itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "export/atlas.h"
#include "cli/console_text.h"
#include "cli/dump.h"
#include "export/export.h"
#include "export/frame_names.h"
#include "cli/reasons.h"
#include "export/set_json.h"
#include "render/sprite_draw.h"
#include "sprite/sprite_set.h"

namespace {

std::string RunCli(const std::string& arguments, int* status)
{
    std::string output;
    std::FILE* pipe = popen((std::string(QUILLON_CLI) + " " + arguments).c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    *status = pclose(pipe);
    return output;
}

uint8_t* Pixels(int width, int height, int seed)
{
    auto* image = static_cast<uint8_t*>(std::malloc(size_t(width) * size_t(height)));
    for (int i = 0; i < width * height; ++i) image[i] = uint8_t((i * 7 + seed) % 5 == 0 ? 0 : (i + seed) % 251 + 1);
    return image;
}

// A set with every field away from its default: sizes 1 x 1 to 17 x 4, moved coordinates
// (negative too), several boxes of each kind, raw and compressed images, an action count.
void MakeVariedSet(SpriteSet& set)
{
    const int sizes[][2] = {{1, 1}, {3, 5}, {17, 4}, {9, 9}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(set.Insert(set.Count(), sizes[i][0], sizes[i][1], Pixels(sizes[i][0], sizes[i][1], i), i % 2));
        Sprite& s = set.sprites[i];
        s.rx = -20 + i * 13;
        s.ry = 300 - i;
        s.mx = i * 3 - 2;
        s.my = -i;
        for (int b = 0; b < i; ++b) ASSERT_TRUE(set.InsertHitBox(i, b, PixelRect{b, -b, 10 * b, 5}));
        for (int b = 0; b < 3 - i; ++b) ASSERT_TRUE(set.InsertAtckBox(i, b, PixelRect{7, 8, -b, 2 * b}));
    }
    set.header.actionCount = 12345;
}

void ExpectBoxes(const Json& list, const BoxRect* boxes, int count, const std::string& where)
{
    ASSERT_EQ(list.size(), size_t(count)) << where;
    for (int b = 0; b < count; ++b) {
        EXPECT_EQ(list[size_t(b)]["x1"], boxes[b].x1) << where << " box " << b;
        EXPECT_EQ(list[size_t(b)]["y1"], boxes[b].y1) << where << " box " << b;
        EXPECT_EQ(list[size_t(b)]["x2"], boxes[b].x2) << where << " box " << b;
        EXPECT_EQ(list[size_t(b)]["y2"], boxes[b].y2) << where << " box " << b;
    }
}

TEST(CliInfo, JsonEqualsTheSetsFields)
{
    SpriteSet set;
    MakeVariedSet(set);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("quillon-cli-info-" + std::to_string(getpid()) + ".spr")).string();
    ASSERT_TRUE(set.Save(path.c_str()));
    int status = -1;
    const std::string text = RunCli("info --json " + path, &status);
    std::remove(path.c_str());
    ASSERT_EQ(status, 0) << text;
    const Json doc = Json::parse(text);

    EXPECT_EQ(doc["format"], "quillon-sprites");
    EXPECT_EQ(doc["version"], kSetJsonVersion);
    EXPECT_EQ(doc["source"], path);
    EXPECT_EQ(doc["fileVersion"], 30);
    EXPECT_EQ(doc["actionCount"], 12345);
    EXPECT_EQ(doc["count"], set.Count());
    ASSERT_EQ(doc["sprites"].size(), size_t(set.Count()));
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& s = set.sprites[i];
        const Json& j = doc["sprites"][size_t(i)];
        const std::string where = "sprite " + std::to_string(i);
        EXPECT_EQ(j["index"], i) << where;
        EXPECT_EQ(j["width"], s.width) << where;
        EXPECT_EQ(j["height"], s.height) << where;
        EXPECT_EQ(j["rx"], s.rx) << where;
        EXPECT_EQ(j["ry"], s.ry) << where;
        EXPECT_EQ(j["mx"], s.mx) << where;
        EXPECT_EQ(j["my"], s.my) << where;
        EXPECT_EQ(j["compressed"], s.compressed != 0) << where;
        EXPECT_EQ(j["imageSize"], s.imageSize) << where;
        ExpectBoxes(j["hitBoxes"], s.hitBoxes, s.hitCount, where + " hit");
        ExpectBoxes(j["attackBoxes"], s.atckBoxes, s.atckCount, where + " attack");
        EXPECT_FALSE(j.contains("image")) << where;
    }
}

TEST(CliExport, SpritePixelsAreTheRawImageWhateverTheStorage)
{
    SpriteSet set;
    MakeVariedSet(set);
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& s = set.sprites[i];
        uint8_t* expected = Pixels(s.width, s.height, i);
        EXPECT_EQ(SpritePixels(s), std::vector<uint8_t>(expected, expected + s.width * s.height)) << i;
        std::free(expected);
    }
}

TEST(CliAtlas, FramesLieInsideTheirPageAndNeverOverlap)
{
    struct Case {
        PackOptions options;
        int pagesAtLeast;  // the sizes below need at least this many pages
    };
    const Case cases[] = {
        {{1, 0, false}, 1}, {{0, 0, false}, 1}, {{3, 0, true}, 1}, {{1, 64, false}, 2}, {{2, 100, true}, 2},
    };
    std::mt19937 random(7);
    for (const Case& c : cases) {
        for (int round = 0; round < 20; ++round) {
            std::vector<FrameSize> sizes;
            const int count = 20 + int(random() % 60);
            for (int i = 0; i < count; ++i) sizes.push_back({int(random() % 40), int(random() % 40)});
            AtlasLayout layout;
            std::string error;
            ASSERT_TRUE(PackAtlas(sizes, c.options, &layout, &error)) << error;
            EXPECT_GE(int(layout.pages.size()), c.pagesAtLeast);
            const int limit = PageSideLimit(c.options);
            for (const AtlasPage& page : layout.pages) {
                if (limit > 0) {
                    EXPECT_LE(std::max(page.width, page.height), limit);
                }
                if (c.options.pot) {
                    EXPECT_EQ(page.width & (page.width - 1), 0) << page.width;
                    EXPECT_EQ(page.height & (page.height - 1), 0) << page.height;
                }
            }
            const int pad = c.options.padding;
            for (size_t i = 0; i < sizes.size(); ++i) {
                const PixelRect& a = layout.frames[i];
                if (sizes[i].width == 0 || sizes[i].height == 0) {
                    EXPECT_LT(a.x2, a.x1);
                    EXPECT_EQ(layout.page[i], -1);
                    continue;
                }
                ASSERT_GE(layout.page[i], 0);
                ASSERT_LT(layout.page[i], int(layout.pages.size()));
                const AtlasPage& page = layout.pages[size_t(layout.page[i])];
                EXPECT_EQ(a.x2 - a.x1 + 1, sizes[i].width);
                EXPECT_EQ(a.y2 - a.y1 + 1, sizes[i].height);
                EXPECT_GE(a.x1, 0);
                EXPECT_GE(a.y1, 0);
                EXPECT_LT(a.x2, page.width);
                EXPECT_LT(a.y2, page.height);
                for (size_t k = 0; k < i; ++k) {
                    const PixelRect& b = layout.frames[k];
                    if (b.x2 < b.x1 || layout.page[k] != layout.page[i]) continue;
                    const bool apart = a.x1 > b.x2 + pad || b.x1 > a.x2 + pad || a.y1 > b.y2 + pad || b.y1 > a.y2 + pad;
                    EXPECT_TRUE(apart) << "frames " << k << " and " << i << " of round " << round;
                }
            }
        }
    }
    // A frame larger than a page is refused by name; with powers of two the limit is 64 here.
    AtlasLayout layout;
    std::string error;
    const std::vector<std::string> names = {"small", "hero_00001"};
    EXPECT_FALSE(PackAtlas({{4, 4}, {65, 10}}, PackOptions{1, 100, true}, &layout, &error, &names));
    EXPECT_EQ(error, "hero_00001 is 65 x 10 pixels; it does not fit on a page of at most 64 x 64");
    EXPECT_TRUE(PackAtlas({{4, 4}, {65, 10}}, PackOptions{1, 100, false}, &layout, &error, &names));
}

TEST(CliDump, DrawsMirroredSpriteAndBoxesInTheWindowsColors)
{
    // Rows (1 0 2) and (3 4 0); a hit box over the right column, an attack box one pixel outside.
    SpriteSet set;
    auto* image = static_cast<uint8_t*>(std::malloc(6));
    const uint8_t rows[6] = {1, 0, 2, 3, 4, 0};
    std::copy(rows, rows + 6, image);
    ASSERT_TRUE(set.Insert(0, 3, 2, image, 1));
    ASSERT_TRUE(set.InsertHitBox(0, 0, PixelRect{2, 0, 2, 1}));
    ASSERT_TRUE(set.InsertAtckBox(0, 0, PixelRect{-1, 0, -1, 0}));
    Palette palette{};
    DumpPicture picture;
    std::string error;

    DumpOptions plain;
    ASSERT_TRUE(DumpSprite(set.sprites[0], palette, plain, &picture, &error)) << error;
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.pixels, (std::vector<uint8_t>{1, 0, 2, 3, 4, 0}));

    DumpOptions mirrored;
    mirrored.flags = DRAW_HFLIP;
    mirrored.boxes = true;
    mirrored.zoom = 2;
    ASSERT_TRUE(DumpSprite(set.sprites[0], palette, mirrored, &picture, &error)) << error;
    // The attack box lands one pixel right of the mirrored sprite, so the page is 4 wide; the
    // hit box, over the right column, is now over the left one.
    ASSERT_EQ(picture.width, 8);
    ASSERT_EQ(picture.height, 4);
    const std::vector<uint8_t> page = {5, 0, 1, 8,
                                       5, 4, 3, 0};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(picture.pixels[size_t(y * 8 + x)], page[size_t(y / 2 * 4 + x / 2)]) << x << "," << y;
}

TEST(CliText, CoreTextsReadAsUtf8AndPathsStayAsTyped)
{
    const std::string path = u8"스프라이트/걷기.spr";
    char message[256];
    std::snprintf(message, sizeof message, "파일이 없습니다(%s)", path.c_str());
    EXPECT_EQ(ConsoleText(message, path), u8"파일이 없습니다(스프라이트/걷기.spr)");
    EXPECT_EQ(ConsoleText("메모리 할당 실패(헤더)"), u8"메모리 할당 실패(헤더)");
    // A picture's message is cut at 79 bytes, here inside the path.
    const std::string longPath = std::string(70, 'd') + u8"/한글.bmp";
    std::snprintf(message, 80, "파일이 존재하지 않습니다.(%s)", longPath.c_str());
    const std::string shown = ConsoleText(message, longPath);
    EXPECT_EQ(shown.rfind(u8"파일이 존재하지 않습니다.(", 0), 0u) << shown;
    EXPECT_NE(shown.find(std::string(40, 'd')), std::string::npos) << shown;
}

}  // namespace

TEST(CliText, EveryReasonCodeHasAnEnglishSentence)
{
    // The codes run from kNone to kTooManyColors, the last; a code added without a sentence
    // would fall back to the Korean text.
    for (int code = int(Reason::kFileMissing); code <= int(Reason::kTooManyColors); ++code) {
        const std::string sentence = ReasonSentence(Reason(code));
        EXPECT_FALSE(sentence.empty()) << code;
        for (char c : sentence) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << code << ": " << sentence;
    }
    EXPECT_EQ(RefusalText(Reason::kOther, "\xC7\xD1"), "\xED\x95\x9C") << "no code: the core's text, as UTF-8";
    EXPECT_EQ(RefusalText(Reason::kFileMissing, "", "/no/such/file.spr"), "/no/such/file.spr: no such file");
    EXPECT_EQ(RefusalText(Reason::kFileMissing, "", "/"), "/: cannot be opened");
}

TEST(CliNames, PatternsNameFramesAndRecogniseTheirOwnFiles)
{
    struct Row {
        const char* pattern;
        const char* problem;  // a word of the refusal, or "" for a good pattern
        const char* name;     // sprite 7 of "hero"
    };
    const Row rows[] = {
        {"%s_%05d", "", "hero_00007"},
        {"%d", "", "7"},
        {"f%3d-%s%%", "", "f  7-hero%"},
        {"%s/%09d", "", "hero/000000007"},
        {"%s", "once", ""},
        {"%d%d", "once", ""},
        {"%x%d", "knows", ""},
        {"%10d", "knows", ""},
        {"%", "knows", ""},
        {"%05", "knows", ""},
    };
    for (const Row& row : rows) {
        const std::string problem = NamePatternProblem(row.pattern);
        if (*row.problem == '\0') {
            EXPECT_EQ(problem, "") << row.pattern;
            EXPECT_EQ(FrameName(row.pattern, "hero", 7), row.name) << row.pattern;
            // The pattern's own names are its family; others are not.
            for (int index : {0, 7, 123456}) {
                const std::string file = FrameName(row.pattern, "hero", index) + ".png";
                EXPECT_TRUE(MatchesNamePattern(file, row.pattern, "hero", ".png")) << row.pattern << " " << file;
            }
            EXPECT_FALSE(MatchesNamePattern(FrameName(row.pattern, "hero", 7) + ".json", row.pattern, "hero", ".png"));
            EXPECT_FALSE(MatchesNamePattern("x" + FrameName(row.pattern, "hero", 7) + ".png", row.pattern, "hero", ".png"));
        } else {
            EXPECT_NE(problem.find(row.problem), std::string::npos) << row.pattern << ": " << problem;
        }
    }
    EXPECT_FALSE(MatchesNamePattern("hero_.png", "%s_%05d", "hero", ".png"));
    EXPECT_FALSE(MatchesNamePattern("idle_00001.png", "%s_%05d", "hero", ".png"));
    EXPECT_TRUE(NamePatternHasInput("%s_%d"));
    EXPECT_FALSE(NamePatternHasInput("%%s_%d"));

    EXPECT_EQ(InputName("art/walk.cycle.spr"), "walk.cycle");
    EXPECT_EQ(InputName(".hidden"), ".hidden");
    EXPECT_EQ(InputName("-"), "stdin");

    // Pages: one keeps the name; of several each takes its number.
    EXPECT_EQ(PageFileName("atlas.png", 0, 1), "atlas.png");
    EXPECT_EQ(PageFileName("atlas.png", 2, 3), "atlas-2.png");
    EXPECT_EQ(PageFileName("sheet", 1, 2), "sheet-1");
    for (const char* file : {"atlas.png", "atlas-0.png", "atlas-17.png"}) EXPECT_TRUE(MatchesPageName(file, "atlas.png")) << file;
    for (const char* file : {"atlas-.png", "atlas-1a.png", "atlas-1.json", "xatlas-1.png", "atlas1.png"})
        EXPECT_FALSE(MatchesPageName(file, "atlas.png")) << file;
}

TEST(CliExport, OpaqueBoundsHoldEveryPixelButIndexZero)
{
    // 5 x 4: pixels at (1, 1) and (3, 2); nothing at all; a full row.
    std::vector<uint8_t> pixels(20, 0);
    pixels[1 * 5 + 1] = 4;
    pixels[2 * 5 + 3] = 9;
    PixelRect box = OpaqueBounds(pixels, 5, 4);
    EXPECT_EQ((std::vector<int>{box.x1, box.y1, box.x2, box.y2}), (std::vector<int>{1, 1, 3, 2}));
    box = OpaqueBounds(std::vector<uint8_t>(20, 0), 5, 4);
    EXPECT_EQ((std::vector<int>{box.x1, box.y1, box.x2, box.y2}), (std::vector<int>{0, 0, 0, 0}));
    std::vector<uint8_t> row(20, 0);
    for (int x = 0; x < 5; ++x) row[3 * 5 + x] = 1;
    box = OpaqueBounds(row, 5, 4);
    EXPECT_EQ((std::vector<int>{box.x1, box.y1, box.x2, box.y2}), (std::vector<int>{0, 3, 4, 3}));
}
