// Any byte string given to the family-name reader ends in a name or nothing, never in a
// crash or over-read; a name is never empty and holds no NUL.
#include <cstddef>
#include <cstdint>

#include "FontName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  moji::CMemorySource source(std::span<const std::uint8_t>(data, size));
  const auto name = moji::ReadFontFamilyName(source);
  if (name && (name->empty() || name->find(u'\0') != std::u16string::npos)) __builtin_trap();
  return 0;
}
