// Names of files as the user gives them (command line, "/F:", dropped files, recent files,
// dialogs) are made whole once, where they enter. A relative name means the current
// folder of that moment; later on it would be resolved against whatever folder is current
// then, and a bare name stored in the EUDC link is looked for in the fonts folder.
#pragma once

#include <filesystem>
#include <string>

namespace moji {

// `name` made absolute by GetFullPathNameW ("." and ".." resolved against the current
// folder and drive); empty for an empty name, `name` itself when the system refuses it.
std::filesystem::path FullPath(const std::wstring& name);

}  // namespace moji
