#include "YomiDictionary.h"

#include <string>

#include "FileReplace.h"
#include "GaijiCode.h"
#include "YomiStore.h"

namespace moji {
namespace {

constexpr char16_t kWordClass[] = u"単漢字";

void AppendUnits(std::vector<std::uint8_t>& out, std::u16string_view text) {
  for (const char16_t unit : text) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
}

}  // namespace

std::vector<std::uint8_t> MakeYomiDictionaryText(std::span<const std::uint8_t> records, std::size_t& lines) {
  std::vector<std::uint8_t> out{0xFF, 0xFE};
  lines = 0;
  for (std::size_t at = 0; at + kYomiRecordSize <= records.size(); at += kYomiRecordSize) {
    const std::uint8_t* record = records.data() + at;
    const int code = YomiRecordCode(record);
    const std::u16string reading = YomiRecordReading(record);
    if (reading.empty() || !IsUnicodeGaiji(code)) continue;
    AppendUnits(out, reading);
    const char16_t gaiji[] = {u'\t', static_cast<char16_t>(code), u'\t'};
    AppendUnits(out, std::u16string_view(gaiji, 3));
    AppendUnits(out, kWordClass);
    AppendUnits(out, u"\r\n");
    ++lines;
  }
  return out;
}

bool WriteYomiDictionary(const std::filesystem::path& target, std::span<const std::uint8_t> records,
                         std::size_t& lines) {
  return WriteFileAtomically(target, MakeYomiDictionaryText(records, lines));
}

}  // namespace moji
