#include "Screenshot.h"

#include <cstring>

namespace moji::gui {

RgbImage CaptureScreen() {
  return CaptureRect({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

RgbImage CaptureRect(const RECT& screenRect) {
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT r;
  if (!IntersectRect(&r, &screenRect, &screen)) return {};
  const int width = r.right - r.left, height = r.bottom - r.top;

  RgbImage image;
  HDC screenDc = GetDC(nullptr);
  HDC memoryDc = CreateCompatibleDC(screenDc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (screenDc && memoryDc && dib) {
    HGDIOBJ old = SelectObject(memoryDc, dib);
    if (BitBlt(memoryDc, 0, 0, width, height, screenDc, r.left, r.top, SRCCOPY | CAPTUREBLT)) {
      GdiFlush();
      image.width = width;
      image.height = height;
      image.pixels.resize(static_cast<std::size_t>(width) * height * 3);
      const auto* bgrx = static_cast<const std::uint8_t*>(bits);
      for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
        image.pixels[i * 3 + 0] = bgrx[i * 4 + 2];
        image.pixels[i * 3 + 1] = bgrx[i * 4 + 1];
        image.pixels[i * 3 + 2] = bgrx[i * 4 + 0];
      }
    }
    SelectObject(memoryDc, old);
  }
  if (dib) DeleteObject(dib);
  if (memoryDc) DeleteDC(memoryDc);
  if (screenDc) ReleaseDC(nullptr, screenDc);
  return image;
}

RgbImage CaptureWindow(HWND window) {
  RECT r;
  if (!GetWindowRect(window, &r)) return {};
  return CaptureRect(r);
}

COLORREF PixelAt(const RgbImage& image, int x, int y) {
  if (!image.IsValid() || x < 0 || y < 0 || x >= image.width || y >= image.height) return CLR_INVALID;
  const std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
  return RGB(p[0], p[1], p[2]);
}

bool SaveScreenshot(const std::filesystem::path& png, HWND window) {
  return WritePng(png, window ? CaptureWindow(window) : CaptureScreen());
}

}  // namespace moji::gui
