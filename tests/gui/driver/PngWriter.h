// A small PNG encoder for screenshots: 8-bit RGB, one adaptive filter per row (None, Sub
// or Up), and a deflate stream of fixed-Huffman literals plus distance-1 runs. Screens
// are mostly flat colour, so this keeps a 1280×1024 screenshot in the tens of kilobytes
// without a compression library. Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace moji::gui {

// Pixels as R, G, B bytes, rows top first, no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  bool IsValid() const {
    return width > 0 && height > 0 && pixels.size() == static_cast<std::size_t>(width) * height * 3;
  }
};

// Checksums of the PNG chunk trailer (CRC-32, ISO-HDLC) and the zlib trailer (Adler-32);
// pass the previous result to continue over several pieces.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t previous = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t previous = 1);

// The whole PNG file; empty for an invalid image.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

// Writes EncodePng's result, creating the folder when needed. False on any failure.
bool WritePng(const std::filesystem::path& path, const RgbImage& image);

}  // namespace moji::gui
