// The programs' help: the compiled HTML help file "Mojiview.chm" in the program folder,
// shown by the system's HTML Help viewer (hhctrl.ocx, loaded when first needed) at the
// page of a help context number in the running program's topic table (HelpTopic.h). Both
// programs share the one file.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "HelpTopic.h"

namespace moji {

// The help file's full path: the program folder + "Mojiview.chm".
std::filesystem::path HelpFilePath();

// The running program's help topics (the browser's until a program sets its own, before
// its first window). `topics` must outlive every later ShowHelp.
void SetHelpTopics(std::span<const HelpTopic> topics);

// Opens the help at the page of `context` in the program's topics, owned by `owner`. When
// the help file is missing, message 2054 names it (logged too) and the viewer is not
// called. False when the file or the viewer is missing or the viewer refused.
bool ShowHelp(HWND owner, UINT context);

// The same for a page of the help file named directly (kHelpFirstPage, ...).
bool ShowHelpPage(HWND owner, const std::wstring& page);

// Closes the help windows that ShowHelp opened (before the program ends, as the viewer
// asks); nothing when help was never shown.
void CloseHelp();

// Replaces the viewer (owner, help file, page inside it → shown), so that tests can see
// what the help is asked to show; an empty function restores the HTML Help viewer.
// Returns the previous replacement.
using HelpViewerFunction = std::function<bool(HWND, const std::filesystem::path&, const std::wstring&)>;
HelpViewerFunction SetHelpViewerFunction(HelpViewerFunction function);

}  // namespace moji
