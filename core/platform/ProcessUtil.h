// Process helpers shared by both programs: the program folder, starting another program,
// the window properties that mark running browsers and printers, and the browser's
// command-line target.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace moji {

// Window properties (value 1) set on a main window once its program has fully started.
inline constexpr wchar_t kBrowserTag[] = L"_MOJIVIEW_APPLICATION_TAG";
inline constexpr wchar_t kPrinterTag[] = L"_MOJISHEET_APPLICATION_TAG";

// The running program's folder, ending in "\" (its module path cut after the last "\").
std::wstring GetProgramFolder();

// Whether the system is of the NT family, version 5 or later (`version` as reported).
bool IsSupportedSystem(OSVERSIONINFOW& version);

// The running program's full module path.
std::wstring GetProgramPath();

// Starts `commandLine` (no separate application name, handles not inherited, a new process
// group, STARTF_USESHOWWINDOW with `showCommand`) without waiting for it. True when the
// process was created.
bool LaunchProgram(const std::wstring& commandLine, int showCommand = SW_SHOWDEFAULT);

// Sets `tag` to 1 on `window`; RemoveTag takes it off again (before the window goes).
bool TagWindow(HWND window, const wchar_t* tag);
void RemoveTag(HWND window, const wchar_t* tag);

// Top-level windows of the desktop that carry `tag`, in the order of EnumWindows.
std::vector<HWND> TaggedWindows(const wchar_t* tag);
int CountTaggedWindows(const wchar_t* tag);

// Running browsers: top-level windows tagged kBrowserTag. A browser counts itself once its
// own window is tagged, so 1 means that only the asking browser runs.
int CountBrowserWindows();

// The browser's start target from a full command line (the first token is the program):
// the first argument, without one leading "/" or "-", that names an existing file or
// folder, as given; empty when there is none.
std::wstring FindCommandLineStartTarget(const wchar_t* commandLine);

}  // namespace moji
