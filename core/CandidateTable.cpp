#include "CandidateTable.h"

#include <cstdio>

#include "FileReplace.h"
#include "GaijiCode.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr char kHeader[] =
    "外字,S-JIS,読み,候補1,類似度1,候補2,類似度2,候補3,類似度3,候補4,類似度4,候補5,類似度5";

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::vector<std::uint8_t> MakeCandidateTable(const std::vector<CandidateRow>& rows) {
  std::string text = "\xEF\xBB\xBF";
  text += kHeader;
  text += "\r\n";
  for (const CandidateRow& row : rows) {
    std::u16string readings;
    for (const auto& reading : row.readings) readings += (readings.empty() ? u"" : u"、") + reading;
    text += "U+" + ToUtf8(FormatHex4(static_cast<std::uint32_t>(row.code)));
    text += row.code <= kGaijiSjisLast ? "," + ToUtf8(SjisHexOfUnicode(row.code)) : std::string(",");
    text += ',' + CsvField(ToUtf8(readings));
    for (int i = 0; i < kCandidateColumns; ++i) {
      text += ',';
      if (i >= static_cast<int>(row.candidates.size())) {
        text += ',';
        continue;
      }
      char similarity[16];
      std::snprintf(similarity, sizeof similarity, "%.1f", row.candidates[i].similarity);
      text += FormatCandidateCodes(row.candidates[i]) + ',' + similarity;
    }
    text += "\r\n";
  }
  return {text.begin(), text.end()};
}

bool WriteCandidateTable(const std::filesystem::path& target, const std::vector<CandidateRow>& rows) {
  return WriteFileAtomically(target, MakeCandidateTable(rows));
}

}  // namespace moji
