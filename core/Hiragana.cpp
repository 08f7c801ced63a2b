#include "Hiragana.h"

#include <algorithm>

namespace moji {

bool IsHiraganaText(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char16_t c) { return c >= kHiraganaFirst && c <= kHiraganaLast; });
}

}  // namespace moji
