// The browser's command line and the names derived from a gaiji file path.
//
// The command line has no options: each argument loses one leading "/" or "-", and the
// first argument that names an existing file or folder becomes the start target, as given.
// A start target must then look like a TTE or EUF file, else start-up shows message 2016.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace moji {

// Message shown (with the target as its argument) when the start target is no gaiji file.
constexpr int kMsgNotGaijiFile = 2016;

// `arg` without one leading "/" or "-".
std::u16string_view StripSwitchPrefix(std::u16string_view arg);

// Answers whether a file or folder of that name exists (relative names against the current
// folder).
using ExistsFunction = std::function<bool(const std::u16string&)>;

// std::filesystem's answer; false for an empty name and on any error.
bool PathExists(const std::u16string& path);

// False when a process command line holds nothing but blanks after the program name (its
// first item: up to the closing quotation mark when it begins with one, else up to the
// first blank): there is no argument, and the line need not be split. True otherwise,
// also when the line begins with a blank.
bool HasArguments(std::u16string_view commandLine);

// The first argument (after StripSwitchPrefix) that names an existing file or folder, or
// empty. `args` excludes the program name.
std::u16string FindStartTarget(const std::vector<std::u16string>& args, const ExistsFunction& exists = PathExists);

// True when `name` is longer than 4 characters and its last three characters are "tte" or
// "euf" in any letter case; the character before them is not looked at.
bool IsGaijiFileName(std::u16string_view name);

// 0 for an acceptable start target, else the message number (kMsgNotGaijiFile).
int CheckStartTarget(std::u16string_view target);

// `path` with its last three characters replaced by `ext` ("euf", "tte", "ymi"); a path of
// three characters or fewer gives `ext` alone. The path's own extension is not looked at.
std::u16string DerivedPath(std::u16string_view path, std::u16string_view ext);

}  // namespace moji
