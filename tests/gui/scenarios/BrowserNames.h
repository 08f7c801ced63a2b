// Names the browser scenarios check: the program, its window tag, its settings section and
// the title of a browser that shows nothing, as the user and the settings file see them.
#pragma once

namespace moji::gui {

inline constexpr wchar_t kBrowserProgram[] = L"Mojiview.exe";
inline constexpr wchar_t kBrowserTag[] = L"_MOJIVIEW_APPLICATION_TAG";
inline constexpr wchar_t kBrowserSettings[] = L"GkpBrowserSettings";
inline constexpr wchar_t kEmptyBrowserTitle[] = L"Mojiview　[  -  ] 64×64";
inline constexpr int kBrowserViewId = 0xE900;
inline constexpr wchar_t kAboutCaption[] = L"Mojiviewのﾊﾞｰｼﾞｮﾝ情報";
// The tag of a running code-table printer, which the browser looks for.
inline constexpr wchar_t kPrinterTag[] = L"_MOJISHEET_APPLICATION_TAG";

}  // namespace moji::gui
