// The programs' help: the compiled HTML help file "Mojiview.chm" in the program folder,
// shown by the system's HTML Help viewer (hhctrl.ocx, loaded when first needed) at the
// topic of a help context number. Both programs share the one file.
#pragma once

#include <windows.h>

#include <string>

namespace moji {

// Help context numbers.
inline constexpr UINT kHelpContextMain = 40;      // main windows and most dialogs
inline constexpr UINT kHelpContextYomiEdit = 14;  // the reading edit dialog

// The help file's full path: the program folder + "Mojiview.chm".
std::wstring HelpFilePath();

// Opens the help at the topic of `context`, owned by `owner`. False when the viewer or
// the file is missing or the viewer refused.
bool ShowHelp(HWND owner, UINT context);

}  // namespace moji
