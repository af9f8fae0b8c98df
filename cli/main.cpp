// quillon-cli: the sprite data of Quillon from a terminal or a Makefile. Links the core only.
//
//   quillon-cli info FILE.spr [--json]
//   quillon-cli check [--as spr|bmp|pcx|png] FILE...
//   quillon-cli export FILE.spr OUTDIR [--palette FILE.pal | --sheet SHEET] [--atlas]
//   quillon-cli build SHEET OUT.spr (--grid WxH[+X+Y] | --auto [--gap N]) [--compress] [--boxes]
//   quillon-cli dump FILE.spr N OUT.png [--flip h|v|hv] [--boxes] [--zoom K] [--palette … | --sheet …]
//
// Exit codes: 0 done, 1 an input refused (the reason on stderr), 2 a usage error.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "cli/commands.h"
#include "image/regions.h"

namespace {

void AddPaletteOptions(CLI::App* command, PaletteArgs* args)
{
    CLI::Option* file = command->add_option("--palette", args->paletteFile, "palette file (.pal) for the colors");
    CLI::Option* sheet = command->add_option("--sheet", args->sheet, "take the colors of this sheet (BMP, PCX or PNG)");
    file->excludes(sheet);
}

const CLI::Validator kGridSpec(
    [](std::string& text) {
        GridSpec grid;
        return ParseGridSpec(text.c_str(), &grid) ? std::string() : "expected WxH or WxH+X+Y, e.g. 32x48+4+4";
    },
    "WxH[+X+Y]", "grid");

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Quillon's sprite files from the command line: inspect, check, export, build and draw them."};
    app.require_subcommand(1);
    app.footer("Exit codes: 0 done, 1 an input refused (reason on stderr), 2 usage error.");

    InfoArgs info;
    CLI::App* infoCommand = app.add_subcommand("info", "list a sprite file's sprites, coordinates and boxes");
    infoCommand->add_option("file", info.file, "sprite file (.spr)")->required();
    infoCommand->add_flag("--json", info.json, "print the set as JSON (the sprites.json schema, without images)");

    CheckArgs check;
    CLI::App* checkCommand = app.add_subcommand("check", "load sprite files and sheets; report OK or why not");
    checkCommand->add_option("files", check.files, "sprite files, BMP, PCX or PNG sheets")->required();
    checkCommand->add_option("--as", check.kind, "read every file as this kind instead of by its name")
        ->check(CLI::IsMember({"spr", "bmp", "pcx", "png"}));

    ExportArgs exportArgs;
    CLI::App* exportCommand = app.add_subcommand("export", "write each sprite as a PNG plus sprites.json, or one atlas");
    exportCommand->add_option("file", exportArgs.file, "sprite file (.spr)")->required();
    exportCommand->add_option("folder", exportArgs.folder, "output folder (made when missing)")->required();
    AddPaletteOptions(exportCommand, &exportArgs.palette);
    exportCommand->add_flag("--atlas", exportArgs.atlas, "one packed atlas.png plus atlas.json (JSON array layout)");

    BuildArgs build;
    CLI::App* buildCommand = app.add_subcommand("build", "cut the sprites of a sheet into a new sprite file");
    buildCommand->add_option("sheet", build.sheet, "sheet: BMP, PCX or PNG, 8-bit or true color of at most 256 colors")->required();
    buildCommand->add_option("output", build.output, "sprite file to write (.spr)")->required();
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
    dumpCommand->add_option("file", dump.file, "sprite file (.spr)")->required();
    dumpCommand->add_option("index", dump.index, "sprite number, from 0")->required()->check(CLI::NonNegativeNumber);
    dumpCommand->add_option("output", dump.output, "PNG to write")->required();
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

    try {
        if (infoCommand->parsed()) return RunInfo(info);
        if (checkCommand->parsed()) return RunCheck(check);
        if (exportCommand->parsed()) return RunExport(exportArgs);
        if (buildCommand->parsed()) {
            build.hitBox = build.hitBox || bothBoxes;
            build.attackBox = build.attackBox || bothBoxes;
            return RunBuild(build);
        }
        if (dumpCommand->parsed()) return RunDump(dump);
    } catch (const std::exception& e) {
        // Only the libraries throw (out of memory, mostly); the core never does.
        std::cerr << "quillon-cli: " << e.what() << "\n";
        return kExitRefused;
    }
    return kExitUsage;
}
