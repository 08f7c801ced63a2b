// Finding a gaiji by its reading in the records of a reading store (46-byte records back to
// back, as CYomiStore holds them). The search runs over the records in memory only.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace moji {

// The code of the gaiji to select for the typed reading `text`: the candidates are the codes
// with a reading equal to `text`, or, when no reading equals it, the codes with a reading that
// begins with it. Of these the first code after `afterCode` is taken, wrapping once to the
// lowest candidate (which may be `afterCode` itself). 0 for an empty text or no candidate.
// A remainder shorter than a record is ignored.
int FindGaijiByReading(std::span<const std::uint8_t> records, std::u16string_view text, int afterCode);

}  // namespace moji
