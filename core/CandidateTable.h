// The mapping table of a gaiji font to standard characters, for checking and editing in a
// spreadsheet: UTF-8 with a byte-order mark, CRLF line ends, fields separated by commas and
// quoted as RFC 4180 has it. A header row, then one row per gaiji: its code, its Shift-JIS
// code (empty above U+E757), its readings joined by "、", and five candidates, each as code
// points ("U+845B U+E0100") and similarity with one decimal.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "CandidateIndex.h"

namespace moji {

struct CandidateRow {
  int code = 0;  // the gaiji, U+E000..U+F8FF
  std::vector<std::u16string> readings;
  std::vector<Candidate> candidates;  // the first five are written
};

inline constexpr int kCandidateColumns = 5;

// A field as RFC 4180 writes it: in double quotes, inner quotes doubled, when it holds a
// comma, a quote, CR or LF; as it is otherwise.
std::string CsvField(std::string_view text);

std::vector<std::uint8_t> MakeCandidateTable(const std::vector<CandidateRow>& rows);

// Writes the table to `target` atomically (the previous file stays whole on failure).
bool WriteCandidateTable(const std::filesystem::path& target, const std::vector<CandidateRow>& rows);

}  // namespace moji
