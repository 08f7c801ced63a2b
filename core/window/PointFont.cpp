#include "PointFont.h"

#include "Dpi.h"

namespace moji {

HFONT CreatePointFont(int points, const wchar_t* face, HDC dc) {
  HDC screen = dc ? nullptr : ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(dc ? dc : screen, LOGPIXELSY);
  if (screen) ::ReleaseDC(nullptr, screen);
  return CreatePointFontForDpi(points, face, dpi);
}

HFONT CreatePointFontForWindow(int points, const wchar_t* face, HWND window) {
  return CreatePointFontForDpi(points, face, WindowDpi(window));
}

HFONT CreatePointFontForDpi(int points, const wchar_t* face, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(points, dpi > 0 ? dpi : 96, 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return ::CreateFontIndirectW(&font);
}

}  // namespace moji
