// PNG files (screenshots, pages rendered from a printer's output) decoded by the system's
// codec (WIC). COM must be initialised on the calling thread.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <filesystem>

#include "PngWriter.h"

namespace moji::gui {

// R, G, B bytes of the first frame; an invalid image when the file cannot be decoded.
RgbImage ReadPng(const std::filesystem::path& path);

}  // namespace moji::gui
