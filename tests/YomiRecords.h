// Reading stores for tests: records of (code, reading) pairs back to back, in the given order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "YomiStore.h"

namespace moji::test {

struct YomiReading {
  int code;
  std::u16string text;
};

inline std::vector<std::uint8_t> YomiRecords(const std::vector<YomiReading>& readings) {
  std::vector<std::uint8_t> out(readings.size() * kYomiRecordSize);
  for (std::size_t i = 0; i < readings.size(); ++i)
    MakeYomiRecord(out.data() + i * kYomiRecordSize, readings[i].code, readings[i].text);
  return out;
}

}  // namespace moji::test
