// Where portable code sends lines of the processing log; the programs' sink writes them to
// the log file, tests collect them.
#pragma once

#include <string_view>

namespace moji {

class CLogSink {
 public:
  virtual ~CLogSink() = default;
  virtual void Print(std::u16string_view line) = 0;
};

}  // namespace moji
