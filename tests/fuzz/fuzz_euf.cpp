// Any byte string given to the EUF reader loads or ends in a message number; a loaded
// file's glyph size lies inside 1..256 per side, and every glyph it then reads fits the
// size its record claims.
#include <cstddef>
#include <cstdint>

#include "EufFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  moji::CEufFile euf;
  const int status = euf.Load(std::make_unique<moji::CMemorySource>(std::span<const std::uint8_t>(data, size)));
  if (status != 0) return 0;
  if (const auto size = euf.GlyphSize(); size && (size->first < 1 || size->first > moji::euf::kMaxGlyphSide ||
                                                  size->second < 1 || size->second > moji::euf::kMaxGlyphSide))
    __builtin_trap();
  moji::EufGlyph glyph;
  for (int code = euf.FirstCode(); code <= euf.LastCode(); ++code) {
    if (euf.ReadGlyph(code, glyph) && glyph.bits.size() != static_cast<std::size_t>(glyph.width) * glyph.height / 8)
      __builtin_trap();
  }
  return 0;
}
