// Numbered messages: texts from the program's string table, formatted printf-style and
// shown in a message box whose caption is the application name.
//
// Formatting uses the C runtime's wide printf with its Windows meaning: in a wide format,
// "%s" takes a wide string (const wchar_t*); "%d", "%4.4X", "%8.8X" take an int.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <functional>
#include <string>

namespace moji {

// printf-style formatting into a std::wstring. A format the runtime rejects gives "".
std::wstring FormatText(const wchar_t* format, ...);
std::wstring FormatTextV(const wchar_t* format, va_list args);

// The string-table text `id` of the running program's resources; "" when it has none.
std::wstring LoadResourceString(UINT id);

// LoadResourceString(id) used as the format for the arguments.
std::wstring FormatResource(UINT id, ...);
std::wstring FormatResourceV(UINT id, va_list args);

// Caption of every message box: "Mojiview" unless the program sets another ("Mojisheet").
void SetAppName(const std::wstring& name);
const std::wstring& AppName();

// Shows string `id` formatted with the arguments in a modal box owned by `owner`, with the
// application name as caption and the MB_ flags in `type`; returns the button (IDOK, IDYES…).
int ShowMessage(HWND owner, UINT id, UINT type, ...);
// The same, and the shown text is also logged as "%s\n".
int ShowMessageLogged(HWND owner, UINT id, UINT type, ...);
int ShowMessageV(HWND owner, UINT id, UINT type, bool log, va_list args);

// Replaces the message box itself (owner, text, caption, type → button), so that tests can
// answer messages without a display; an empty function restores MessageBoxW. Returns the
// previous replacement.
using MessageBoxFunction = std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)>;
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);

}  // namespace moji
