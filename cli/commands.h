// The subcommands of quillon-cli, each given its parsed arguments. Each returns the exit code:
// 0 done, 1 an input refused (the reason on stderr, in English). A path "-" is standard input or
// output where the command reads or writes that one file.
#pragma once

#include <string>
#include <vector>

#include "cli/dump.h"

enum ExitCode { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

// Where the colors of written pictures come from: a palette file, a sheet's color table, or
// (neither given) a grey ramp with a warning.
struct PaletteArgs {
    std::string paletteFile;
    std::string sheet;
};

struct InfoArgs {
    std::string file;
    bool json = false;
};

struct CheckArgs {
    std::vector<std::string> files;
    std::string kind;  // "spr", "bmp", "pcx", or empty: by extension, then by content
};

struct ExportArgs {
    std::vector<std::string> files;  // sprite files ("-": standard input)
    std::string folder;
    PaletteArgs palette;
    bool atlas = false;
    std::string format = "hash";     // "hash" or "array"
    std::string name;                // frame-name pattern; empty for the mode's default
    int fps = 0;
    bool trim = false;
    int padding = 1;
    int extrude = 0;
    int maxSize = 0;
    bool pot = false;
    std::string outJson;             // empty for the default; "-" for standard output
    std::string outPng;
    std::string gif;                 // an animated GIF of the one file instead ("-": standard output)
    std::string flip;                // with gif: "", "h", "v" or "hv"
};

// The frame rate of a GIF export given no --fps.
constexpr int kDefaultGifFps = 10;

struct BuildArgs {
    std::string sheet;
    std::string output;
    std::string grid;  // "WxH[+X+Y]", or empty for --auto
    int gap = 0;
    bool keepEmpty = false;
    bool compress = false;
    bool hitBox = false;
    bool attackBox = false;
    bool list = false;
};

struct DumpArgs {
    std::string file;
    int index = 0;
    std::string output;
    PaletteArgs palette;
    std::string flip;  // "", "h", "v" or "hv"
    bool boxes = false;
    int zoom = 1;
};

int RunInfo(const InfoArgs& args);
int RunCheck(const CheckArgs& args);
int RunExport(const ExportArgs& args);
int RunBuild(const BuildArgs& args);
int RunDump(const DumpArgs& args);
