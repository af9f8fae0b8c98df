// What each subcommand does once its arguments are parsed.
#include "cli/commands.h"

#include <sys/stat.h>

#include <cstdio>
#include <iostream>

#include "cli/console_text.h"
#include "cli/cut.h"
#include "cli/export.h"
#include "cli/input_files.h"
#include "cli/output_files.h"
#include "cli/set_json.h"
#include "codec/png_codec.h"
#include "image/regions.h"
#include "image/true_color.h"
#include "render/sprite_draw.h"
#include "sprite/sprite_set.h"

namespace {

int Refused(const std::string& text)
{
    std::cerr << text << "\n";
    return kExitRefused;
}

void Warn(const std::string& text) { std::cerr << "quillon-cli: warning: " << text << "\n"; }

bool LoadSet(SpriteSet& set, const std::string& path)
{
    if (set.Load(path.c_str())) return true;
    Refused(ConsoleText(set.message, path));
    return false;
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
    struct stat info;
    return stat(path.c_str(), &info) == 0;
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
        if (!set.Load(path.c_str())) {
            *line = ConsoleText(set.message, path);
            return false;
        }
        *line = "OK, sprite file, " + std::to_string(set.Count()) + (set.Count() == 1 ? " sprite" : " sprites");
        return true;
    }
    ImageBuffer picture;
    if (!LoadPicture(picture, path, kind)) {
        // The line already starts with the path; the core's own texts hold it again, as typed.
        *line = picture.sheetColors > kMaxSheetColors ? TooManyColorsSentence(picture.sheetColors)
                                                      : ConsoleText(picture.message, path);
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

OutputSink FolderSink(const std::string& folder)
{
    return [folder](const std::string& name, const std::vector<uint8_t>& bytes, std::string* error) {
        return WriteWholeFile(folder + "/" + name, bytes.data(), bytes.size(), error);
    };
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
        if (CheckOne(path, args.kind.empty() ? KindOfFile(path) : forced, &line)) {
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
    SpriteSet set;
    if (!LoadSet(set, args.file)) return kExitRefused;
    PaletteSource palette;
    if (!ChoosePalette(args.palette, &palette)) return kExitRefused;
    std::string error;
    if (!MakeFolder(args.folder, &error)) return Refused(error);
    const OutputSink sink = FolderSink(args.folder);
    ExportResult result = args.atlas ? ExportAtlas(set, args.file, palette, sink) : ExportSprites(set, args.file, palette, sink);
    for (const std::string& warning : result.warnings) Warn(warning);
    if (!result.ok) return Refused(result.error);
    std::cout << args.folder << ": " << result.files << " files written for " << set.Count()
              << (set.Count() == 1 ? " sprite" : " sprites") << "\n";
    return kExitOk;
}

int RunBuild(const BuildArgs& args)
{
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

    SpriteSet set;
    const CutOptions options{args.compress, args.hitBox, args.attackBox};
    if (!CutSprites(sheet, rects, options, set)) return Refused(ConsoleText(set.message));
    if (!set.Save(args.output.c_str())) return Refused(ConsoleText(set.message, args.output));
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
    SpriteSet set;
    if (!LoadSet(set, args.file)) return kExitRefused;
    if (args.index < 0 || args.index >= set.Count())
        return Refused(args.file + ": there is no sprite " + std::to_string(args.index) + "; the file holds " +
                       std::to_string(set.Count()));
    PaletteSource palette;
    if (!ChoosePalette(args.palette, &palette)) return kExitRefused;

    DumpOptions options;
    if (args.flip.find('h') != std::string::npos) options.flags |= DRAW_HFLIP;
    if (args.flip.find('v') != std::string::npos) options.flags |= DRAW_VFLIP;
    options.boxes = args.boxes;
    options.zoom = args.zoom;
    DumpPicture picture;
    std::string error;
    if (!DumpSprite(set.sprites[args.index], palette.palette, options, &picture, &error))
        return Refused(args.file + ": sprite " + std::to_string(args.index) + ": " + error);
    std::vector<uint8_t> png;
    if (!EncodeIndexedPng(picture.pixels.data(), picture.width, picture.height, palette.palette, &png, &error))
        return Refused(args.output + ": " + error);
    if (!WriteWholeFile(args.output, png.data(), png.size(), &error)) return Refused(error);
    return kExitOk;
}
