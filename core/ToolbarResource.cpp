#include "ToolbarResource.h"

namespace moji {
namespace {

std::uint32_t Read16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::uint32_t kMaxImageSize = 256;
constexpr std::uint32_t kMaxItems = 1024;

bool Plausible(std::uint32_t width, std::uint32_t height, std::uint32_t count) {
  return width > 0 && height > 0 && width <= kMaxImageSize && height <= kMaxImageSize && count <= kMaxItems;
}

}  // namespace

std::optional<ToolbarLayout> ParseToolbarResource(const std::uint8_t* data, std::size_t size) {
  if (!data) return std::nullopt;
  // Resource data may carry alignment padding after the ids, so the size is a lower bound.
  if (size >= 8 && Read16(data) == 1) {
    const std::uint32_t width = Read16(data + 2), height = Read16(data + 4), count = Read16(data + 6);
    if (Plausible(width, height, count) && size >= 8 + 2 * static_cast<std::size_t>(count) &&
        size < 8 + 2 * static_cast<std::size_t>(count) + 4) {
      ToolbarLayout layout{static_cast<int>(width), static_cast<int>(height), {}};
      for (std::uint32_t i = 0; i < count; ++i) layout.items.push_back(Read16(data + 8 + 2 * i));
      return layout;
    }
  }
  if (size >= 12) {
    const std::uint32_t width = Read32(data), height = Read32(data + 4), count = Read32(data + 8);
    if (Plausible(width, height, count) && size >= 12 + 4 * static_cast<std::size_t>(count) &&
        size < 12 + 4 * static_cast<std::size_t>(count) + 4) {
      ToolbarLayout layout{static_cast<int>(width), static_cast<int>(height), {}};
      for (std::uint32_t i = 0; i < count; ++i) layout.items.push_back(Read32(data + 12 + 4 * i));
      return layout;
    }
  }
  return std::nullopt;
}

}  // namespace moji
