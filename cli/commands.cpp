// What each subcommand does once its arguments are parsed.
#include "cli/commands.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "cli/console_text.h"
#include "cli/cut.h"
#include "export/export.h"
#include "export/frame_names.h"
#include "cli/input_files.h"
#include "cli/output_files.h"
#include "cli/paths.h"
#include "cli/reasons.h"
#include "export/set_json.h"
#include "codec/gif_codec.h"
#include "codec/png_codec.h"
#include "image/regions.h"
#include "image/true_color.h"
#include "render/gif_frames.h"
#include "render/sprite_draw.h"
#include "sprite/sprite_set.h"

namespace {

constexpr int kMaxStoredSide = 32767;  // a sprite's width and height are 16-bit in the file

int Refused(const std::string& text)
{
    std::cerr << text << "\n";
    return kExitRefused;
}

void Warn(const std::string& text) { std::cerr << "quillon-cli: warning: " << text << "\n"; }

// Everything standard input holds.
std::vector<uint8_t> ReadStandardInput()
{
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    return bytes;
}

// Loads a sprite file, or with "-" the sprite file on standard input.
int LoadSetFrom(SpriteSet& set, const std::string& path)
{
    if (path != "-") return set.Load(path.c_str());
    const std::vector<uint8_t> bytes = ReadStandardInput();
    if (std::ferror(stdin)) {
        set.SetMessage(Reason::kFileCutShort, "%s", "standard input");
        return 0;
    }
    return set.LoadFromMemory(bytes.data(), bytes.size(), "standard input");
}

bool LoadSet(SpriteSet& set, const std::string& path)
{
    if (LoadSetFrom(set, path)) return true;
    Refused(RefusalText(set.reason, set.message, path == "-" ? "standard input" : path));
    return false;
}

// Writes one file whole, or with "-" to standard output.
bool WriteOutput(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error)
{
    if (path == "-") return WriteStandardOutput(bytes.data(), bytes.size(), error);
    return WriteWholeFile(path, bytes.data(), bytes.size(), error);
}

bool ChoosePalette(const PaletteArgs& args, PaletteSource* source)
{
    std::string error;
    if (!args.paletteFile.empty()) {
        if (PaletteFromFile(args.paletteFile, source, &error)) return true;
    } else if (!args.sheet.empty()) {
        if (PaletteFromSheet(args.sheet, source, &error)) return true;
    } else {
        *source = GreyRamp();
        Warn("no palette given (--palette FILE.pal or --sheet SHEET); the pictures use a grey ramp");
        return true;
    }
    Refused(error);
    return false;
}

std::string Point(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

void PrintBoxes(const char* kind, const BoxRect* boxes, int count)
{
    for (int i = 0; i < count; ++i)
        std::cout << "    " << kind << " " << i << ": " << Point(boxes[i].x1, boxes[i].y1) << " - "
                  << Point(boxes[i].x2, boxes[i].y2) << "\n";
}

void PrintSet(const SpriteSet& set, const std::string& path)
{
    std::cout << path << ": " << set.Count() << (set.Count() == 1 ? " sprite" : " sprites") << ", version "
              << set.header.version << ", " << set.header.actionCount << " actions\n";
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& s = set.sprites[i];
        std::cout << "sprite " << i << ": " << s.width << " x " << s.height << ", relative " << Point(s.rx, s.ry)
                  << ", center " << Point(s.mx, s.my) << ", " << (s.compressed ? "compressed" : "raw") << " "
                  << s.imageSize << " bytes, " << s.hitCount << " hit " << (s.hitCount == 1 ? "box" : "boxes")
                  << ", " << s.atckCount << " attack " << (s.atckCount == 1 ? "box" : "boxes") << "\n";
        PrintBoxes("hit box", s.hitBoxes, s.hitCount);
        PrintBoxes("attack box", s.atckBoxes, s.atckCount);
    }
}

bool Exists(const std::string& path)
{
    return InspectPath(path, true) != PathKind::kMissing;
}

// Loads one file as `kind`; the line for the user: OK and what it holds, or the refusal.
bool CheckOne(const std::string& path, FileKind kind, std::string* line)
{
    if (kind == FileKind::kUnknown) {
        *line = Exists(path) ? "not a sprite file, BMP, PCX or PNG (name the kind with --as spr|bmp|pcx|png)"
                             : "no such file";
        return false;
    }
    if (kind == FileKind::kSprite) {
        SpriteSet set;
        if (!LoadSetFrom(set, path)) {
            *line = ReasonText(set.reason, set.message, path);
            return false;
        }
        *line = "OK, sprite file, " + std::to_string(set.Count()) + (set.Count() == 1 ? " sprite" : " sprites");
        return true;
    }
    ImageBuffer picture;
    if (!LoadPicture(picture, path, kind)) {
        *line = picture.sheetColors > kMaxSheetColors ? TooManyColorsSentence(picture.sheetColors)
                                                      : ReasonText(picture.reason, picture.message, path);
        return false;
    }
    *line = std::string("OK, ") + SheetKindName(kind) + " " + std::to_string(picture.Width()) + " x " +
            std::to_string(picture.Height()) + ", ";
    if (picture.sheetColors > 0)
        *line += "true color, " + std::to_string(picture.sheetColors) + " colors (indexed to 8 bits)";
    else
        *line += std::to_string(picture.bitCount) + " bits per pixel";
    return true;
}

int FlipFlags(const std::string& flip)
{
    int flags = 0;
    if (flip.find('h') != std::string::npos) flags |= DRAW_HFLIP;
    if (flip.find('v') != std::string::npos) flags |= DRAW_VFLIP;
    return flags;
}

// The one sprite file as the animation page plays it, one GIF frame a sprite.
int ExportGif(const ExportArgs& args)
{
    std::string error;
    if (args.gif != "-" && !CheckOutputPath(args.gif, &error)) return Refused(error);
    SpriteSet set;
    const std::string& file = args.files[0];
    if (!LoadSet(set, file)) return kExitRefused;
    PaletteSource palette;
    if (!ChoosePalette(args.palette, &palette)) return kExitRefused;
    const int fps = args.fps > 0 ? args.fps : kDefaultGifFps;
    GifFrames frames;
    const Reason laid = LayOutGifFrames(set, palette.palette, fps, FlipFlags(args.flip), &frames);
    const std::string input = file == "-" ? "standard input" : file;
    if (laid == Reason::kNoImage) return Refused(input + ": no sprite has pixels; there is no animation to make");
    if (laid == Reason::kPictureTooLarge)
        return Refused(input + ": the sprites lie too far apart for one GIF canvas (at most 32,768 pixels a side, "
                               "and 256 MiB of pixels in all frames)");
    if (laid != Reason::kNone) return Refused(RefusalText(laid, "", input));
    std::vector<uint8_t> gif;
    if (!EncodeAnimatedGif(frames, &gif, &error)) return Refused(args.gif + ": " + error);
    if (!WriteOutput(args.gif, gif, &error)) return Refused(error);
    if (args.gif != "-")
        std::cout << args.gif << ": " << frames.frames.size() << (frames.frames.size() == 1 ? " frame" : " frames")
                  << " of " << frames.width << " x " << frames.height << ", " << frames.delays[0] * 10
                  << " ms each\n";
    return kExitOk;
}

}  // namespace

int RunInfo(const InfoArgs& args)
{
    SpriteSet set;
    if (!LoadSet(set, args.file)) return kExitRefused;
    if (args.json)
        std::cout << JsonText(SetJson(set, args.file));
    else
        PrintSet(set, args.file);
    return kExitOk;
}

int RunCheck(const CheckArgs& args)
{
    const FileKind forced = KindFromName(args.kind);
    bool allGood = true;
    for (const std::string& path : args.files) {
        std::string line;
        // Standard input is read as a sprite file; pictures come from files.
        const FileKind kind = path == "-" ? FileKind::kSprite : args.kind.empty() ? KindOfFile(path) : forced;
        if (CheckOne(path, kind, &line)) {
            std::cout << path << ": " << line << "\n";
        } else {
            std::cout.flush();
            std::cerr << path << ": " << line << "\n";
            allGood = false;
        }
    }
    return allGood ? kExitOk : kExitRefused;
}

int RunExport(const ExportArgs& args)
{
    if (!args.gif.empty()) return ExportGif(args);
    // Every input is loaded before anything is written.
    std::vector<std::unique_ptr<SpriteSet>> sets;
    std::vector<AtlasInput> inputs;
    for (const std::string& file : args.files) {
        sets.push_back(std::make_unique<SpriteSet>());
        if (!LoadSet(*sets.back(), file)) return kExitRefused;
        inputs.push_back(AtlasInput{file, InputName(file), sets.back().get()});
    }
    for (size_t i = 0; i < inputs.size(); ++i)
        for (size_t k = 0; k < i; ++k)
            if (inputs[i].name == inputs[k].name)
                return Refused(inputs[k].source + " and " + inputs[i].source + " are both named \"" + inputs[i].name +
                               "\"; their frames would share names (rename one, or give --name a pattern)");
    PaletteSource palette;
    if (!ChoosePalette(args.palette, &palette)) return kExitRefused;

    std::string error;
    StagedFolder folder;
    if (!folder.Begin(args.folder, &error)) return Refused(error);
    bool toStandardOutput = false;
    std::vector<uint8_t> standardOutput;
    const OutputSink sink = [&](const std::string& name, const std::vector<uint8_t>& bytes, std::string* error) {
        if (name != "-") return folder.Write(name, bytes, error);
        // Held back until every file is written, so a failed export prints nothing.
        toStandardOutput = true;
        standardOutput = bytes;
        return true;
    };

    ExportResult result;
    StagedFolder::Family family;
    if (args.atlas) {
        AtlasOptions options;
        options.array = args.format == "array";
        if (!args.name.empty()) options.pattern = args.name;
        options.fps = args.fps;
        options.trim = args.trim;
        options.extrude = args.extrude;
        options.pack.padding = args.padding;
        options.pack.maxSize = args.maxSize;
        options.pack.pot = args.pot;
        if (!args.outPng.empty()) options.imageName = args.outPng;
        if (!args.outJson.empty()) options.jsonName = args.outJson;
        result = ExportAtlas(inputs, palette, options, sink);
        family = [options](const std::string& file) {
            return MatchesPageName(file, options.imageName) ||
                   (options.jsonName != "-" && MatchesPageName(file, options.jsonName));
        };
    } else {
        const std::string pattern = args.name.empty() ? kSpriteNamePattern : args.name;
        const std::string json = args.outJson.empty() ? kSpritesJsonName : args.outJson;
        result = ExportSprites(*sets[0], args.files[0], palette, sink, pattern, inputs[0].name, json);
        const std::string input = inputs[0].name;
        family = [pattern, input](const std::string& file) { return MatchesNamePattern(file, pattern, input, ".png"); };
    }
    for (const std::string& warning : result.warnings) Warn(warning);
    if (!result.ok) return Refused(result.error);
    if (!folder.Commit(family, &error)) return Refused(error);
    if (toStandardOutput) {
        if (!WriteStandardOutput(standardOutput.data(), standardOutput.size(), &error)) return Refused(error);
        return kExitOk;
    }
    std::cout << args.folder << ": " << result.files << " files written for " << args.files.size()
              << (args.files.size() == 1 ? " sprite file" : " sprite files") << "\n";
    return kExitOk;
}

int RunBuild(const BuildArgs& args)
{
    std::string error;
    if (args.output != "-" && !CheckOutputPath(args.output, &error)) return Refused(error);
    const FileKind kind = KindOfFile(args.sheet);
    if (kind != FileKind::kBmp && kind != FileKind::kPcx && kind != FileKind::kPng)
        return Refused(args.sheet + ": " + (Exists(args.sheet) ? "not a BMP, PCX or PNG sheet" : "no such file"));
    ImageBuffer sheet;
    if (!LoadPicture(sheet, args.sheet, kind)) return Refused(SheetRefusal(sheet, args.sheet));
    const SheetView view = ViewOfSheet(sheet);
    if (view.top == nullptr)
        return Refused(args.sheet + ": the sheet has " + std::to_string(sheet.bitCount) +
                       " bits per pixel; sprites are cut from 8-bit sheets");

    std::vector<PixelRect> rects;
    if (!args.grid.empty()) {
        GridSpec grid;
        if (!ParseGridSpec(args.grid.c_str(), &grid)) {  // the parser checked it already
            std::cerr << "--grid: expected WxH or WxH+X+Y\n";
            return kExitUsage;
        }
        rects = GridCells(view, grid, args.keepEmpty);
    } else {
        rects = FindFigures(sheet, nullptr, args.gap);
    }

    // What the sprite file cannot hold is refused before any sprite is cut.
    if (rects.size() > size_t(kMaxSprites))
        return Refused(args.sheet + ": " + std::to_string(rects.size()) +
                       " sprites found; a sprite file holds at most 32,767");
    for (size_t i = 0; i < rects.size(); ++i) {
        const int w = rects[i].x2 - rects[i].x1 + 1, h = rects[i].y2 - rects[i].y1 + 1;
        if (w > kMaxStoredSide || h > kMaxStoredSide)
            return Refused(args.sheet + ": sprite " + std::to_string(i) + " would be " + std::to_string(w) + " x " +
                           std::to_string(h) + " pixels; a sprite file holds at most 32,767 a side");
    }

    SpriteSet set;
    const CutOptions options{args.compress, args.hitBox, args.attackBox};
    if (!CutSprites(sheet, rects, options, set)) return Refused(RefusalText(set.reason, set.message, args.sheet));
    if (args.output == "-") {
        uint8_t* bytes = nullptr;
        size_t size = 0;
        if (!set.SaveToMemory(&bytes, &size)) return Refused(RefusalText(set.reason, set.message, "standard output"));
        const bool written = WriteStandardOutput(bytes, size, &error);
        std::free(bytes);
        return written ? kExitOk : Refused(error);
    }
    if (!set.Save(args.output.c_str())) return Refused(RefusalText(set.reason, set.message, args.output));
    if (args.list) {
        for (size_t i = 0; i < rects.size(); ++i) {
            const PixelRect& r = rects[i];
            std::cout << "sprite " << i << ": " << (r.x2 - r.x1 + 1) << " x " << (r.y2 - r.y1 + 1) << " at "
                      << Point(r.x1, r.y1) << "\n";
        }
    }
    std::cout << args.output << ": " << set.Count() << (set.Count() == 1 ? " sprite" : " sprites") << " cut from "
              << args.sheet << "\n";
    return kExitOk;
}

int RunDump(const DumpArgs& args)
{
    std::string error;
    if (args.output != "-" && !CheckOutputPath(args.output, &error)) return Refused(error);
    SpriteSet set;
    if (!LoadSet(set, args.file)) return kExitRefused;
    if (args.index < 0 || args.index >= set.Count())
        return Refused(args.file + ": there is no sprite " + std::to_string(args.index) + "; the file holds " +
                       std::to_string(set.Count()));
    PaletteSource palette;
    if (!ChoosePalette(args.palette, &palette)) return kExitRefused;

    DumpOptions options;
    options.flags = FlipFlags(args.flip);
    options.boxes = args.boxes;
    options.zoom = args.zoom;
    DumpPicture picture;
    if (!DumpSprite(set.sprites[args.index], palette.palette, options, &picture, &error))
        return Refused(args.file + ": sprite " + std::to_string(args.index) + ": " + error);
    std::vector<uint8_t> png;
    if (!EncodeIndexedPng(picture.pixels.data(), picture.width, picture.height, palette.palette, &png, &error))
        return Refused(args.output + ": " + error);
    if (!WriteOutput(args.output, png, &error)) return Refused(error);
    return kExitOk;
}
