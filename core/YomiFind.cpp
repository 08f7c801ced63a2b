#include "YomiFind.h"

#include <climits>

#include "YomiStore.h"

namespace moji {
namespace {

enum class Match { None, Prefix, Equal };

// Compares the reading of `record` (UTF-16LE up to its first zero unit) with `text`.
Match MatchReading(const std::uint8_t* record, std::u16string_view text) {
  constexpr std::size_t kUnits = kYomiTextBytes / 2;
  if (text.size() > kUnits) return Match::None;
  const std::uint8_t* units = record + 2;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = static_cast<char16_t>(units[2 * i] | units[2 * i + 1] << 8);
    if (unit != text[i]) return Match::None;  // also a reading that ends before the text
  }
  const bool ends = text.size() == kUnits || (units[2 * text.size()] == 0 && units[2 * text.size() + 1] == 0);
  return ends ? Match::Equal : Match::Prefix;
}

// The lowest candidate after a code and the lowest of all, for one kind of match.
struct Candidates {
  int firstAfter = INT_MAX;
  int lowest = INT_MAX;
  void Add(int code, int afterCode) {
    if (code < lowest) lowest = code;
    if (code > afterCode && code < firstAfter) firstAfter = code;
  }
  int Pick() const { return firstAfter != INT_MAX ? firstAfter : lowest != INT_MAX ? lowest : 0; }
};

}  // namespace

int FindGaijiByReading(std::span<const std::uint8_t> records, std::u16string_view text, int afterCode) {
  if (text.empty()) return 0;
  Candidates equal;
  Candidates prefix;
  for (std::size_t at = 0; at + kYomiRecordSize <= records.size(); at += kYomiRecordSize) {
    const std::uint8_t* record = records.data() + at;
    const Match match = MatchReading(record, text);
    if (match == Match::Equal) equal.Add(YomiRecordCode(record), afterCode);
    else if (match == Match::Prefix) prefix.Add(YomiRecordCode(record), afterCode);
  }
  const int found = equal.Pick();
  return found != 0 ? found : prefix.Pick();
}

}  // namespace moji
