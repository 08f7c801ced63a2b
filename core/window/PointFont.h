// Fonts given in points, as dialogs and owner-drawn controls describe them.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace moji {

// The fixed-pitch Gothic face used for codes, paths and file names.
inline constexpr wchar_t kGothicFace[] = L"ＭＳ ゴシック";

// A font of `points` points of `face` (Shift-JIS character set) for the resolution of `dc`;
// with no device, for the screen. The caller deletes it; null when it cannot be made.
HFONT CreatePointFont(int points, const wchar_t* face, HDC dc = nullptr);
// The same for a display of `dpi`, and for the display the window `window` is on (Dpi.h).
HFONT CreatePointFontForDpi(int points, const wchar_t* face, int dpi);
HFONT CreatePointFontForWindow(int points, const wchar_t* face, HWND window);

// A font owned by its holder (a dialog's font for its controls).
struct FontDeleter {
  void operator()(HFONT font) const {
    if (font) ::DeleteObject(font);
  }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

}  // namespace moji
