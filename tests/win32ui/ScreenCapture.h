// Screenshots from inside a test: the screen under a window as an RGB image for WritePng.
#pragma once

#include <windows.h>

#include <cstdint>

#include "PngWriter.h"

namespace moji::test {

// The screen under a window as an RGB image.
inline gui::RgbImage CaptureWindow(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  gui::RgbImage image;
  image.width = rect.right - rect.left;
  image.height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, image.width, image.height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < image.width * image.height; ++i) {
    image.pixels.push_back(static_cast<std::uint8_t>(pixels[i] >> 16));
    image.pixels.push_back(static_cast<std::uint8_t>(pixels[i] >> 8));
    image.pixels.push_back(static_cast<std::uint8_t>(pixels[i]));
  }
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

}  // namespace moji::test
