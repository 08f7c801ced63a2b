// Any byte string given to the character-map reader ends in a status, never in a crash or an
// over-read; whatever it maps is in order and within the glyph count.
#include <cstddef>
#include <cstdint>

#include "FontCmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint32_t glyphCount = std::uint32_t{data[0]} << 8 | data[1];
  moji::CFontCmap cmap;
  cmap.Read(std::span<const std::uint8_t>(data + 2, size - 2), glyphCount);
  const auto all = cmap.Mappings();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].glyph == 0 || all[i].glyph >= glyphCount) __builtin_trap();
    if (cmap.GlyphOf(all[i].code, all[i].selector) != all[i].glyph) __builtin_trap();
    if (i > 0 && (all[i - 1].code > all[i].code ||
                  (all[i - 1].code == all[i].code && all[i - 1].selector >= all[i].selector)))
      __builtin_trap();
  }
  return 0;
}
