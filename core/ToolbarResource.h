// The TOOLBAR resource of a resource script: button image size and the command id of each
// button in order, 0 for a separator. Two binary layouts exist and both are read:
//   - 16-bit: version 1, width, height, count, then count ids (Microsoft's compiler);
//   - 32-bit: width, height, count, then count ids (GNU windres).
// The data comes from our own executable but is still bounds-checked like a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace moji {

struct ToolbarLayout {
  int imageWidth = 0;
  int imageHeight = 0;
  std::vector<std::uint32_t> items;  // command ids; 0 = separator
};

// Nothing when the data matches neither layout exactly or declares absurd sizes.
std::optional<ToolbarLayout> ParseToolbarResource(const std::uint8_t* data, std::size_t size);

}  // namespace moji
