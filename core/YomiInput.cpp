#include "YomiInput.h"

#include <algorithm>

#include "Hiragana.h"

namespace moji {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u3000'; }

bool IsComma(char16_t c) { return c == u',' || c == u'、' || c == u'，'; }

bool Contains(const std::vector<std::u16string>& list, const std::u16string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

std::u16string TrimReadingInput(std::u16string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return std::u16string(text.substr(begin, end - begin));
}

ReadingInput SplitReadingInput(std::u16string_view text, const std::vector<std::u16string>& listed) {
  ReadingInput result;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsComma(text[end])) ++end;
    const std::u16string part(text.substr(start, end - start));
    start = end + 1;
    if (part.empty()) continue;
    if (!IsHiraganaText(part))
      result.refused.push_back(part);
    else if (Contains(listed, part) || Contains(result.added, part))
      result.duplicates.push_back(part);
    else
      result.added.push_back(part);
  }
  return result;
}

std::u16string JoinReadings(const std::vector<std::u16string>& readings) {
  std::u16string joined;
  for (const std::u16string& reading : readings) {
    if (&reading != &readings.front()) joined += u',';
    joined += reading;
  }
  return joined;
}

}  // namespace moji
