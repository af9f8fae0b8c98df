// The subcommands of quillon-cli, each given its parsed arguments. Each returns the exit code:
// 0 done, 1 an input refused (the reason on stderr, in the core's own words where it has them).
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
    std::string file;
    std::string folder;
    PaletteArgs palette;
    bool atlas = false;
};

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
