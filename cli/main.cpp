// quillon-cli: the sprite data of Quillon from a terminal or a Makefile. Links the core only.
//
//   quillon-cli info FILE.spr [--json]
//   quillon-cli check [--as spr|bmp|pcx|png] FILE...
//   quillon-cli export FILE.spr... OUTDIR [--palette FILE.pal | --sheet SHEET] [--atlas [--format hash|array]
//                      [--name PATTERN] [--fps N] [--trim] [--padding N] [--extrude N] [--max-size N] [--pot]
//                      [--out-json NAME|-] [--out-png NAME]]
//   quillon-cli export FILE.spr --gif OUT.gif [--fps N] [--flip h|v|hv] [--palette FILE.pal | --sheet SHEET]
//   quillon-cli build SHEET OUT.spr (--grid WxH[+X+Y] | --auto [--gap N]) [--compress] [--boxes]
//   quillon-cli dump FILE.spr N OUT.png [--flip h|v|hv] [--boxes] [--zoom K] [--palette … | --sheet …]
//
// A path "-" is standard input (a sprite file read) or standard output (the one file written).
// Exit codes: 0 done, 1 an input refused or an output that could not be written (the reason on
// stderr), 2 a usage error.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/win32.h"
#endif

#include "cli/commands.h"
#include "export/frame_names.h"
#include "cli/output_files.h"
#include "cli/paths.h"
#include "image/regions.h"

namespace {

void AddPaletteOptions(CLI::App* command, PaletteArgs* args)
{
    CLI::Option* file = command->add_option("--palette", args->paletteFile, "palette file (.pal) for the colors");
    CLI::Option* sheet = command->add_option("--sheet", args->sheet, "take the colors of this sheet (BMP, PCX or PNG)");
    file->excludes(sheet);
}

const CLI::Validator kNamePattern(
    [](std::string& text) { return NamePatternProblem(text); }, "PATTERN", "name pattern");

// A file name in the output folder: no folder part, not a hidden or special name.
bool HasSeparator(const std::string& text)
{
    for (char c : text)
        if (IsSeparator(c)) return true;
    return false;
}

const CLI::Validator kFileName(
    [](std::string& text) {
        if (text == "-") return std::string();
        if (text.empty() || HasSeparator(text) || text[0] == '.')
            return std::string("a plain file name in the output folder (no folder part, not starting with '.'), or -");
        return std::string();
    },
    "NAME", "file name");

const CLI::Validator kGridSpec(
    [](std::string& text) {
        GridSpec grid;
        return ParseGridSpec(text.c_str(), &grid) ? std::string() : "expected WxH or WxH+X+Y, e.g. 32x48+4+4";
    },
    "WxH[+X+Y]", "grid");

}  // namespace

#ifdef _WIN32

namespace {

unsigned g_consoleCodePage = 0;

void RestoreConsoleCodePage() { SetConsoleOutputCP(g_consoleCodePage); }

}  // namespace

int Run(int argc, char** argv);

// The Windows console program: the arguments arrive in UTF-16 whatever the code page, and go on
// as UTF-8, the names the rest of the program takes. Standard input and output carry bytes (a
// sprite file or a PNG may go through them), so no line ends are rewritten; a console shows the
// UTF-8 texts through its UTF-8 code page, set for the run and restored after it.
int wmain(int argc, wchar_t** wideArgv)
{
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(Utf8FromWide(wideArgv[i]));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(&argument[0]);
    argv.push_back(nullptr);

    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    g_consoleCodePage = GetConsoleOutputCP();
    if (g_consoleCodePage != 0 && g_consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(RestoreConsoleCodePage);
    return Run(argc, argv.data());
}

int Run(int argc, char** argv)
#else
int main(int argc, char** argv)
#endif
{
    CLI::App app{"Quillon's sprite files from the command line: inspect, check, export, build and draw them."};
    app.require_subcommand(1);
    app.footer("Exit codes: 0 done, 1 an input refused or an output not written (reason on stderr), 2 usage error.");

    InfoArgs info;
    CLI::App* infoCommand = app.add_subcommand("info", "list a sprite file's sprites, coordinates and boxes");
    infoCommand->add_option("file", info.file, "sprite file (.spr; - for standard input)")->required();
    infoCommand->add_flag("--json", info.json, "print the set as JSON (the sprites.json schema, without images)");

    CheckArgs check;
    CLI::App* checkCommand = app.add_subcommand("check", "load sprite files and sheets; report OK or why not");
    checkCommand->add_option("files", check.files, "sprite files, BMP, PCX or PNG sheets")->required();
    checkCommand->add_option("--as", check.kind, "read every file as this kind instead of by its name")
        ->check(CLI::IsMember({"spr", "bmp", "pcx", "png"}));

    ExportArgs exportArgs;
    CLI::App* exportCommand = app.add_subcommand(
        "export", "write each sprite as a PNG plus sprites.json, atlas pages, or an animated GIF");
    exportCommand->footer(
        "The files are written aside and moved into the folder only when every one was written: a failed export "
        "leaves the folder as it was. Files an earlier export of the same kind left there and this one does not "
        "write again (sprite_00012.png, atlas-3.png, ...) are removed. A file in the way that is not a regular "
        "file (a folder, FIFO, device or symbolic link) is refused, never replaced.\n"
        "With --gif the one sprite file becomes an animated GIF as the animation page plays it: one frame a "
        "sprite, every sprite at its relative coordinate from one anchor on a canvas that holds them all, "
        "index 0 transparent, looping; each frame lasts 100/N hundredths of a second (--fps N, default 10), "
        "rounded, at least 2.\n");
    std::vector<std::string> exportPositionals;
    exportCommand->add_option("files", exportPositionals,
                              "sprite files (.spr; - for standard input), then the output folder (made when missing); "
                              "with --gif the one sprite file alone")
        ->required()
        ->expected(1, 1 << 20);
    AddPaletteOptions(exportCommand, &exportArgs.palette);
    CLI::Option* atlas = exportCommand->add_flag(
        "--atlas", exportArgs.atlas, "pack the sprites of every file into atlas.png plus atlas.json (TexturePacker JSON)");
    CLI::Option* gif = exportCommand->add_option(
        "--gif", exportArgs.gif, "write the sprite file as an animated GIF to this file (- for standard output)");
    gif->excludes(atlas);
    exportCommand->add_option("--format", exportArgs.format, "with --atlas: the JSON layout, hash (the default) or array")
        ->check(CLI::IsMember({"hash", "array"}))
        ->needs(atlas);
    exportCommand->add_option("--name", exportArgs.name,
                              "frame names: %s the file's name, %d or %05d the sprite's number (default %s_%05d; "
                              "without --atlas sprite_%05d)")
        ->check(kNamePattern)
        ->excludes(gif);
    CLI::Option* fps = exportCommand->add_option(
        "--fps", exportArgs.fps, "with --atlas: each frame's duration is 1000/N ms; with --gif: N frames a second");
    fps->check(CLI::Range(1, 1000));
    exportCommand->add_option("--flip", exportArgs.flip, "with --gif: mirror every frame about the anchor: h, v or hv")
        ->check(CLI::IsMember({"h", "v", "hv"}))
        ->needs(gif);
    exportCommand->add_flag("--trim", exportArgs.trim, "with --atlas: cut each frame to its pixels that are not index 0")
        ->needs(atlas);
    exportCommand->add_option("--padding", exportArgs.padding, "with --atlas: blank pixels between frames (default 1)")
        ->check(CLI::Range(0, 256))
        ->needs(atlas);
    exportCommand->add_option("--extrude", exportArgs.extrude, "with --atlas: repeat each frame's edge pixels N times around it")
        ->check(CLI::Range(0, 64))
        ->needs(atlas);
    exportCommand->add_option("--max-size", exportArgs.maxSize,
                              "with --atlas: pages of at most N x N pixels, as many as needed (atlas-0.png, ...)")
        ->check(CLI::Range(1, 32768))
        ->needs(atlas);
    exportCommand->add_flag("--pot", exportArgs.pot, "with --atlas: page sides rounded up to powers of two")->needs(atlas);
    exportCommand->add_option("--out-json", exportArgs.outJson,
                              "name of the JSON in the folder (atlas.json or sprites.json); - for standard output")
        ->check(kFileName)
        ->excludes(gif);
    exportCommand->add_option("--out-png", exportArgs.outPng, "with --atlas: name of the atlas picture (atlas.png)")
        ->check(kFileName)
        ->needs(atlas);

    BuildArgs build;
    CLI::App* buildCommand = app.add_subcommand("build", "cut the sprites of a sheet into a new sprite file");
    buildCommand->add_option("sheet", build.sheet, "sheet: BMP, PCX or PNG, 8-bit or true color of at most 256 colors")->required();
    buildCommand->add_option("output", build.output, "sprite file to write (.spr; - for standard output)")->required();
    CLI::Option_group* method = buildCommand->add_option_group("method", "how the sprites are found (one of)");
    method->add_option("--grid", build.grid, "cells of W x H pixels, the first at (X, Y)")->check(kGridSpec);
    CLI::Option* automatic = method->add_flag("--auto", "one sprite per connected region of non-zero pixels");
    method->require_option(1);
    buildCommand->add_option("--gap", build.gap, "with --auto: merge regions fewer than N blank pixels apart")
        ->check(CLI::Range(0, 65535))
        ->needs(automatic);
    buildCommand->add_flag("--keep-empty", build.keepEmpty, "with --grid: keep cells that hold only index 0");
    buildCommand->add_flag("--compress", build.compress, "store the sprites compressed");
    bool bothBoxes = false;
    buildCommand->add_flag("--boxes", bothBoxes, "give each sprite a hit box and an attack box covering it");
    buildCommand->add_flag("--hit-box", build.hitBox, "give each sprite a hit box covering it");
    buildCommand->add_flag("--attack-box", build.attackBox, "give each sprite an attack box covering it");
    buildCommand->add_flag("--list", build.list, "print each sprite's size and place on the sheet");
    buildCommand->footer(
        "A true-color sheet (24- or 32-bit BMP, 24-bit PCX, a PNG that is not indexed) is indexed as the window\n"
        "indexes it: index 0 is the background (the color of fully transparent pixels, or without them the\n"
        "top-left pixel's), the other colors in the order they first appear, top row first; partial alpha\n"
        "counts as opaque. A sheet of more than 256 colors is refused. An indexed PNG keeps its indices.\n");

    DumpArgs dump;
    CLI::App* dumpCommand = app.add_subcommand("dump", "draw one sprite into a PNG as the program draws it");
    dumpCommand->add_option("file", dump.file, "sprite file (.spr; - for standard input)")->required();
    dumpCommand->add_option("index", dump.index, "sprite number, from 0")->required()->check(CLI::NonNegativeNumber);
    dumpCommand->add_option("output", dump.output, "PNG to write (- for standard output)")->required();
    dumpCommand->add_option("--flip", dump.flip, "mirror: h (left to right), v (top to bottom) or hv")
        ->check(CLI::IsMember({"h", "v", "hv"}));
    dumpCommand->add_flag("--boxes", dump.boxes, "outline hit boxes (color 5) and attack boxes (color 8)");
    dumpCommand->add_option("--zoom", dump.zoom, "magnify K times")->check(CLI::Range(1, kMaxZoom));
    AddPaletteOptions(dumpCommand, &dump.palette);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }

    if (exportCommand->parsed()) {
        const bool toGif = !exportArgs.gif.empty();
        if (toGif) {
            exportArgs.files = exportPositionals;
        } else {
            exportArgs.folder = exportPositionals.back();
            exportArgs.files.assign(exportPositionals.begin(), exportPositionals.end() - 1);
        }
        const char* problem = nullptr;
        if (toGif && exportArgs.files.size() != 1)
            problem = "--gif: give one sprite file and no output folder; the GIF is the output";
        else if (!toGif && exportArgs.files.empty())
            problem = "files: give the sprite files, then the output folder";
        else if (fps->count() > 0 && !exportArgs.atlas && !toGif)
            problem = "--fps: frame rates are for --atlas or --gif";
        else if (exportArgs.files.size() > 1 && !exportArgs.atlas)
            problem = "several sprite files go into one atlas: add --atlas";
        else if (exportArgs.files.size() > 1 && !exportArgs.name.empty() && !NamePatternHasInput(exportArgs.name))
            problem = "--name: with several sprite files the pattern needs %s, the file's name";
        else if (!exportArgs.atlas && HasSeparator(exportArgs.name))
            problem = "--name: without --atlas the names are the PNGs' file names, and hold no folder part";
        else if (std::count(exportArgs.files.begin(), exportArgs.files.end(), "-") > 1)
            problem = "standard input holds one sprite file";
        if (problem != nullptr) {
            std::cerr << problem << "\nRun with --help for more information.\n";
            return kExitUsage;
        }
    }
    if (buildCommand->parsed() && build.output == "-" && build.list) {
        std::cerr << "--list prints to standard output, where the sprite file goes\nRun with --help for more information.\n";
        return kExitUsage;
    }

    int code = kExitUsage;
    try {
        if (infoCommand->parsed()) code = RunInfo(info);
        if (checkCommand->parsed()) code = RunCheck(check);
        if (exportCommand->parsed()) code = RunExport(exportArgs);
        if (buildCommand->parsed()) {
            build.hitBox = build.hitBox || bothBoxes;
            build.attackBox = build.attackBox || bothBoxes;
            code = RunBuild(build);
        }
        if (dumpCommand->parsed()) code = RunDump(dump);
    } catch (const std::exception& e) {
        // Only the libraries throw (out of memory, mostly); the core never does.
        std::cerr << "quillon-cli: " << e.what() << "\n";
        code = kExitRefused;
    }
    // What went to standard output must have arrived: a full disk or a closed pipe is a failure.
    // (std::cout shares the C stream's buffer, so one flush of that says it all.)
    std::string error;
    if (!FinishStandardOutput(&error)) {
        std::cerr << error << "\n";
        if (code == kExitOk) code = kExitRefused;
    }
    return code;
}
