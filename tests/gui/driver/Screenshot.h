// Screen captures from inside Wine: GetDC(NULL) + BitBlt sees the whole virtual desktop,
// frames and captions included, so no X tool is needed.
#pragma once

#include <windows.h>

#include <filesystem>

#include "PngWriter.h"

namespace moji::gui {

// The whole screen (the virtual desktop under Wine).
RgbImage CaptureScreen();
// A screen rectangle, clipped to the screen; an empty image when nothing is left.
RgbImage CaptureRect(const RECT& screenRect);
// One window with its frame, as GetWindowRect gives it.
RgbImage CaptureWindow(HWND window);

// The colour at an image point as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
COLORREF PixelAt(const RgbImage& image, int x, int y);

// Captures the screen, or only `window` when given, into a PNG file. False on failure.
bool SaveScreenshot(const std::filesystem::path& png, HWND window = nullptr);

}  // namespace moji::gui
