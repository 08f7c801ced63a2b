#include "GaijiCode.h"

namespace moji {

int ParseHexCode(std::u16string_view text) {
  if (text.size() != 4) return -1;
  int value = 0;
  for (char16_t c : text) {
    int digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else return -1;
    value = value * 16 + digit;
  }
  return value;
}

std::u16string FormatHex4(std::uint32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string text(4, u'0');
  for (int i = 3; i >= 0; --i, value >>= 4) text[i] = kDigits[value & 0xF];
  return text;
}

int SjisToUnicodeGaiji(int sjis) {
  const int lead = (sjis >> 8) & 0xFF;
  const int trail = sjis & 0xFF;
  const int t = trail <= 0x7E ? trail - 0x40 : trail - 0x41;
  return kGaijiFirst + 188 * (lead - 0xF0) + t;
}

std::u16string SjisHexOfUnicode(int code) {
  const int d = code - kGaijiFirst;
  const int lead = 0xF0 + d / 188;
  const int r = d % 188;
  const int trail = r < 63 ? 0x40 + r : 0x41 + r;
  return FormatHex4(static_cast<std::uint32_t>(lead * 256 + trail));
}

bool IsUnicodeGaiji(int value) { return value >= kGaijiFirst && value <= kGaijiLast; }

int GaijiCodeToIndex(int code) { return IsUnicodeGaiji(code) ? code - kGaijiFirst : -1; }

int GaijiIndexToCode(int index) { return index < 0 ? 0 : kGaijiFirst + index; }

std::optional<int> ValidateTypedCode(std::u16string_view text, CodeMode mode) {
  const int v = ParseHexCode(text);
  if (mode == CodeMode::Unicode) {
    if (IsUnicodeGaiji(v)) return v;
    return std::nullopt;
  }
  const int trail = v & 0xFF;
  if (v >= 0xF040 && v <= 0xF9FC && trail >= 0x40 && trail <= 0xFC && trail != 0x7F)
    return SjisToUnicodeGaiji(v);
  return std::nullopt;
}

bool IsWin2000PredefinedCode(int code) {
  return code == 0xF001 || code == 0xF002 || (code >= 0xF810 && code <= 0xF81B) ||
         (code >= 0xF820 && code <= 0xF823) || (code >= 0xF8F0 && code <= 0xF8F3);
}

}  // namespace moji
