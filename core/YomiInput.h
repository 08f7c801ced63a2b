// The readings a user types into the reading edit dialog: several at once, separated by
// "," or the Japanese commas "、" and "，", each checked to be hiragana.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace moji {

struct ReadingInput {
  std::vector<std::u16string> added;       // new readings, in typed order
  std::vector<std::u16string> duplicates;  // already listed (or typed twice)
  std::vector<std::u16string> refused;     // not all hiragana
};

// `text` without white space (ASCII and the ideographic space U+3000) at both ends.
std::u16string TrimReadingInput(std::u16string_view text);

// Splits `text` at the commas, skipping empty parts, and sorts each part into refused (not
// IsHiraganaText), duplicate (equal to a listed reading or to one added before it) or added.
ReadingInput SplitReadingInput(std::u16string_view text, const std::vector<std::u16string>& listed);

// The readings joined with ",".
std::u16string JoinReadings(const std::vector<std::u16string>& readings);

}  // namespace moji
