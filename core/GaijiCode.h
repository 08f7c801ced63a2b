// Gaiji code spaces: the Unicode private-use range U+E000..U+F8FF (the key of a gaiji
// everywhere) and the Shift-JIS user area F040..F9FC (shown beside it, typeable).
// Stateless free functions; text is UTF-16 so that it is exact on Windows and Linux.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moji {

constexpr int kGaijiFirst = 0xE000;
constexpr int kGaijiLast = 0xF8FF;
constexpr int kGaijiCount = kGaijiLast - kGaijiFirst + 1;  // 6400
constexpr int kGaijiSjisLast = 0xE757;                     // last code with a Shift-JIS form

// Exactly four hexadecimal digits (either case) → 0..0xFFFF; anything else → −1.
int ParseHexCode(std::u16string_view text);

// Four upper-case hexadecimal digits; values above 0xFFFF keep their last four digits.
std::u16string FormatHex4(std::uint32_t value);

// Shift-JIS user-area code (lead byte high, trail byte low) → Unicode gaiji code.
int SjisToUnicodeGaiji(int sjis);

// Shift-JIS code of U+E000..U+E757 as four hex digits. Uses the arithmetic rule of the
// user area, which code page 932 follows there, so results do not depend on the machine.
std::u16string SjisHexOfUnicode(int code);

bool IsUnicodeGaiji(int value);
int GaijiCodeToIndex(int code);   // ordinal 0..6399, or −1 outside the space
int GaijiIndexToCode(int index);  // 0 for a negative ordinal

enum class CodeMode { Unicode, ShiftJis };

// A code typed into a code box: the Unicode gaiji code, or nothing (the caller shows 2036).
std::optional<int> ValidateTypedCode(std::u16string_view text, CodeMode mode);

// The codes that Windows 2000 fonts may define themselves: F001, F002, F810-F81B,
// F820-F823 and F8F0-F8F3.
bool IsWin2000PredefinedCode(int code);

}  // namespace moji
