// Any byte string given to the TTE reader ends in a status, never in a crash or over-read.
#include <cstddef>
#include <cstdint>

#include "TTEMetrics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  moji::CMemorySource source(std::span<const std::uint8_t>(data, size));
  moji::CTTEMetrics tte;
  const int status = tte.Read(source);
  int present = 0;
  for (int code = moji::kGaijiFirst; code <= moji::kGaijiLast; ++code) present += tte.HasGlyph(code);
  if (present != (status == 0 ? tte.definedCount : 0)) __builtin_trap();
  return 0;
}
