#include "Placement.h"

#include <climits>

namespace moji {
namespace {

// One decimal integer at `pos`: optional blanks, optional sign, at least one digit.
bool ReadInt(std::u16string_view text, std::size_t& pos, int& value) {
  while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) negative = text[pos++] == u'-';
  const std::size_t first = pos;
  long long magnitude = 0;
  while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
    magnitude = magnitude * 10 + (text[pos++] - u'0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (pos == first) return false;
  const long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT_MAX || signedValue < INT_MIN) return false;
  value = static_cast<int>(signedValue);
  return true;
}

}  // namespace

std::optional<Placement> ParsePlacement(std::u16string_view text) {
  int fields[4];
  std::size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != u':') return std::nullopt;
      ++pos;
    }
    if (!ReadInt(text, pos, fields[i])) return std::nullopt;
  }
  return Placement{fields[0], fields[1], fields[2], fields[3]};
}

Placement ParsePlacementOr(std::u16string_view text, const Placement& defaults) {
  return ParsePlacement(text).value_or(defaults);
}

std::u16string FormatPlacement(const Placement& placement) {
  std::u16string out;
  for (int value : {placement.left, placement.top, placement.right, placement.bottom}) {
    if (!out.empty()) out += u':';
    const std::string digits = std::to_string(value);
    out.append(digits.begin(), digits.end());
  }
  return out;
}

}  // namespace moji
