// The recent-files list: the files last opened or saved, the latest first, shown in the File menu
// above Exit and kept beside OPTION.CFG in a file of its own (OPTION.CFG keeps its 36 bytes).
//
// RECENT.CFG is UTF-8 text: the line "Quillon recent files 1", then one name a line (a full path
// as the program was given it), the latest first, at most eight; each line ends in CR LF (LF alone
// is read too). It is read tolerantly: a file that is missing, does not begin with that line, or
// holds what no name holds (a byte that is no UTF-8, a control character, a line longer than any
// name) gives an empty list; blank lines, a name again and names past the eighth are left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr char kRecentFilesName[] = "RECENT.CFG";
constexpr char kRecentFilesHeader[] = "Quillon recent files 1";
constexpr int kRecentFilesMax = 8;
constexpr size_t kRecentNameBytes = 1024;  // longer than any name a file dialog gives, in UTF-8
constexpr int kRecentMenuChars = 50;       // a longer name is shortened in the menu

using RecentList = std::vector<std::string>;

// Whether two names are one file's as Windows sees them: equal but for the case of ASCII
// letters, with / and \ alike.
bool SameFileName(const std::string& a, const std::string& b);

// `name` becomes the latest: first in the list, once, and the list no longer than eight.
void AddRecentFile(RecentList* list, const std::string& name);
void RemoveRecentFile(RecentList* list, const std::string& name);

RecentList DecodeRecentFiles(const uint8_t* bytes, size_t size);
std::string EncodeRecentFiles(const RecentList& list);

// The list kept in the file at `path` (UTF-8 in the Windows build), as DecodeRecentFiles reads it.
RecentList ReadRecentFiles(const char* path);
// Writes the list to `path`; the file is replaced only once all of it is written. 1 when written.
int WriteRecentFiles(const char* path, const RecentList& list);

// The menu text of the list's entry `index` (from 0): "&1 " and the name, each "&" in it doubled
// so that it shows; a name longer than kRecentMenuChars characters keeps its first folder and as
// many of its last parts as fit, the folders between given as "...": "C:\...\sheets\hero.bmp".
std::string RecentMenuText(int index, const std::string& name);
