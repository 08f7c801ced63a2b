#include "ToolbarResource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace moji {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

const std::vector<std::uint32_t> kItems = {57600, 57601, 0, 57634, 0, 32796, 0, 32775, 32771};

std::vector<std::uint8_t> Layout16(const std::vector<std::uint32_t>& items) {
  std::vector<std::uint8_t> data;
  Put16(data, 1);
  Put16(data, 24);
  Put16(data, 24);
  Put16(data, static_cast<std::uint32_t>(items.size()));
  for (auto id : items) Put16(data, id);
  return data;
}

std::vector<std::uint8_t> Layout32(const std::vector<std::uint32_t>& items) {
  std::vector<std::uint8_t> data;
  Put32(data, 24);
  Put32(data, 24);
  Put32(data, static_cast<std::uint32_t>(items.size()));
  for (auto id : items) Put32(data, id);
  return data;
}

TEST(ToolbarResource, ReadsBothCompilersLayouts) {
  for (const auto& data : {Layout16(kItems), Layout32(kItems)}) {
    auto layout = ParseToolbarResource(data.data(), data.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->imageWidth, 24);
    EXPECT_EQ(layout->imageHeight, 24);
    EXPECT_EQ(layout->items, kItems);
  }
  // Trailing alignment padding is allowed.
  auto padded = Layout16(kItems);
  padded.push_back(0);
  padded.push_back(0);
  ASSERT_TRUE(ParseToolbarResource(padded.data(), padded.size()));
}

TEST(ToolbarResource, RefusesTruncatedOversizedAndAbsurdData) {
  EXPECT_FALSE(ParseToolbarResource(nullptr, 0));
  for (auto data : {Layout16(kItems), Layout32(kItems)}) {
    for (std::size_t cut = 0; cut < data.size(); ++cut)
      EXPECT_FALSE(ParseToolbarResource(data.data(), cut)) << cut;
    data.resize(data.size() + 16);  // far more data than the count explains
    EXPECT_FALSE(ParseToolbarResource(data.data(), data.size()));
  }
  auto huge = Layout32({});
  huge[8] = 0xFF;  // count 255 with no ids behind it
  huge[9] = 0xFF;
  EXPECT_FALSE(ParseToolbarResource(huge.data(), huge.size()));
  auto zeroWidth = Layout32(kItems);
  zeroWidth[0] = 0;
  EXPECT_FALSE(ParseToolbarResource(zeroWidth.data(), zeroWidth.size()));
}

}  // namespace
}  // namespace moji
