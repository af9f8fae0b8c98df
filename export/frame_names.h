// Names of atlas frames, made from a pattern: `%s` stands for the input's name (its file name
// without folder and extension), `%d` for the sprite's number in its file, optionally with a width
// and zero padding as in `%05d`, and `%%` for a percent sign. The default, "%s_%05d", names
// sprite 7 of hero.spr "hero_00007".
#pragma once

#include <string>

constexpr const char* kDefaultNamePattern = "%s_%05d";

// Empty when `pattern` holds exactly one number and nothing but the three conversions; otherwise
// what is wrong with it.
std::string NamePatternProblem(const std::string& pattern);

// True when the pattern names the input (holds %s).
bool NamePatternHasInput(const std::string& pattern);

// The name of sprite `index` of the input named `input`; the pattern is one NamePatternProblem
// accepts.
std::string FrameName(const std::string& pattern, const std::string& input, int index);

// The input's name for patterns and animations: "hero" for "art/hero.spr", "stdin" for "-".
std::string InputName(const std::string& path);

// True for the names of files that a pattern gives some sprite of the input, with `extension`
// (".png"): the files an earlier export of the same kind may have left.
bool MatchesNamePattern(const std::string& file, const std::string& pattern, const std::string& input,
                        const std::string& extension);

// True for `name` itself and its page names (atlas.png, atlas-0.png, atlas-17.png, …).
bool MatchesPageName(const std::string& file, const std::string& name);
