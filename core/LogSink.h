// Where portable code sends lines of the processing log; the programs' sink writes them to
// the log file, tests collect them.
#pragma once

#include <filesystem>
#include <string_view>

namespace moji {

class CLogSink {
 public:
  virtual ~CLogSink() = default;
  virtual void Print(std::u16string_view line) = 0;
  // A file that could not be written as a copy of `source`: the program's sink logs string
  // 2044 with both paths and the system's text for the last error.
  virtual void PrintCopyFailure(const std::filesystem::path& source, const std::filesystem::path& target) = 0;
};

}  // namespace moji
