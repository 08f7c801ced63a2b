#include "PointFont.h"

namespace moji {

HFONT CreatePointFont(int points, const wchar_t* face, HDC dc) {
  HDC screen = dc ? nullptr : ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(dc ? dc : screen, LOGPIXELSY);
  if (screen) ::ReleaseDC(nullptr, screen);
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
