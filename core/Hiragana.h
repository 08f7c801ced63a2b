// The hiragana test of readings: a text passes when every character lies in U+3041..U+3094
// (ぁ to ゔ); the empty text passes. Long vowel marks, katakana and spaces do not.
#pragma once

#include <string_view>

namespace moji {

constexpr char16_t kHiraganaFirst = u'\u3041';
constexpr char16_t kHiraganaLast = u'\u3094';

bool IsHiraganaText(std::u16string_view text);

}  // namespace moji
