#include "monkey_files.h"

#include <cstring>

namespace {

void FindFilesIn(Monkey& monkey, const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            monkey.openable.push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool EndsWith(const std::string& text, const char* end)
{
    size_t length = std::strlen(end);
    return text.size() >= length && _stricmp(text.c_str() + text.size() - length, end) == 0;
}

// An openable file, preferring those whose name ends with `extension` three times in four
// (always, when `strict`).
std::string SomeFile(Monkey& monkey, const char* extension, bool strict = false)
{
    if (monkey.openable.empty()) return monkey.workDir + "\\missing.bin";
    std::vector<std::string> fitting;
    for (const std::string& path : monkey.openable)
        if (EndsWith(path, extension)) fitting.push_back(path);
    const std::vector<std::string>& from = !fitting.empty() && (strict || monkey.Chance(75)) ? fitting : monkey.openable;
    return from[monkey.Pick(int(from.size()))];
}

// A file the program wrote earlier in this run (it may have been refused or never written).
std::string EarlierName(Monkey& monkey, const char* prefix, const char* extension)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s-%04d%s", prefix, monkey.Between(1, monkey.namesMade), extension);
    return monkey.workDir + "\\" + name;
}

std::string NewName(Monkey& monkey, const char* prefix, const char* extension)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s-%04d%s", prefix, ++monkey.namesMade, extension);
    return monkey.workDir + "\\" + name;
}

std::string OddName(Monkey& monkey)
{
    switch (monkey.Pick(7)) {
    case 0: return "";
    case 1: return "   ";
    case 2: return monkey.workDir + "\\no-such-folder\\x.spr";
    case 3: return monkey.workDir;  // a folder
    case 4: return "a*b?.spr";
    case 5: {
        // Long, but within MAX_PATH: past it Wine's own file dialog crashes (a bare
        // GetSaveFileNameA call with a large buffer does too), which no program can help.
        int room = MAX_PATH - 1 - int(monkey.workDir.size()) - 5;
        return monkey.workDir + "\\" + std::string(monkey.Between(room / 2, room), 'n') + ".spr";
    }
    default: return "..\\..";
    }
}

}  // namespace

FileKind KindOfFileDialog(const char* fileType)
{
    // The palette dialogs differ in the case of their first file type's name.
    if (std::strncmp(fileType, "Sprite", 6) == 0) return FileKind::Sprite;
    if (std::strncmp(fileType, "Palette", 7) == 0) return FileKind::PaletteOpen;
    if (std::strncmp(fileType, "palette", 7) == 0) return FileKind::PaletteSave;
    return FileKind::Bitmap;
}

void FindOpenableFiles(Monkey& monkey)
{
    monkey.openable.clear();
    FindFilesIn(monkey, monkey.workDir + "\\samples");
    FindFilesIn(monkey, monkey.workDir + "\\junk");
}

std::string ChooseFileName(Monkey& monkey, FileKind kind, const char** what)
{
    if (kind == FileKind::Sprite && monkey.saveWanted > 0) {
        monkey.saveWanted = 0;
        ++monkey.saves;
        *what = "save";
        return NewName(monkey, "spr", ".spr");
    }
    if (kind == FileKind::Bitmap && monkey.sheetWanted > 0) {
        monkey.sheetWanted = 0;
        *what = "sheet";
        return monkey.workDir + (monkey.Chance(70) ? "\\samples\\sheet.bmp" : "\\samples\\sheet.pcx");
    }
    int roll = monkey.Pick(100);
    *what = "random";
    // Only sprite dialogs are given sprite names, so that every spr-*.spr file is one the
    // program wrote as a sprite file (tools/monkey checks that each loads).
    if (kind == FileKind::Sprite) {
        if (roll < 35) return NewName(monkey, "spr", ".spr");
        if (roll < 60 && monkey.namesMade > 0) return EarlierName(monkey, "spr", ".spr");
        // A save over one of these leaves sprite data in a sprite file's place only.
        if (roll < 85) return SomeFile(monkey, ".spr", true);
    } else if (kind == FileKind::PaletteSave) {
        if (roll < 50) return NewName(monkey, "pal", ".pal");
        if (roll < 70 && monkey.namesMade > 0) return EarlierName(monkey, "pal", ".pal");
    } else if (kind == FileKind::PaletteOpen) {
        if (roll < 30 && monkey.namesMade > 0) return EarlierName(monkey, "pal", ".pal");
        if (roll < 70) return SomeFile(monkey, ".pal");
    } else {
        if (roll < 75) return SomeFile(monkey, monkey.Chance(50) ? ".bmp" : ".pcx");
    }
    if (roll < 88 && kind != FileKind::PaletteSave && kind != FileKind::Sprite)
        return SomeFile(monkey, "");
    return OddName(monkey);
}
