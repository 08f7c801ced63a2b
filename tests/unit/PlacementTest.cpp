#include "Placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace moji {
namespace {

TEST(Placement, ParsesFourSignedFieldsAndIgnoresTrailingText) {
  EXPECT_EQ(ParsePlacement(u"10:20:300:400"), (Placement{10, 20, 300, 400}));
  EXPECT_EQ(ParsePlacement(u"-32000:-32000:-31840:-31972"), (Placement{-32000, -32000, -31840, -31972}));
  EXPECT_EQ(ParsePlacement(u" 1: +2:\t3:-4 and more"), (Placement{1, 2, 3, -4}));
  EXPECT_EQ(ParsePlacement(u"-2147483648:2147483647:0:0"), (Placement{INT_MIN, INT_MAX, 0, 0}));
}

TEST(Placement, IncompleteOrMalformedTextGivesTheKeyDefaults) {
  for (const char16_t* bad : {u"", u"10:20:300", u"100:200", u"1:2:3:", u"1 :2:3:4", u"a:1:2:3", u"1;2;3;4",
                              u"1:2:3:-", u"2147483648:0:0:0", u"99999999999999999999:0:0:0"}) {
    EXPECT_FALSE(ParsePlacement(bad)) << "input length " << std::u16string_view(bad).size();
    EXPECT_EQ(ParsePlacementOr(bad), (Placement{40, 40, -1, -1}));
  }
  const Placement other{1, 2, 3, 4};
  EXPECT_EQ(ParsePlacementOr(u"10:20:300", other), other);
}

TEST(Placement, FormatRoundTripsThroughParse) {
  EXPECT_EQ(FormatPlacement(Placement{40, 40, -1, -1}), u"40:40:-1:-1");
  for (const Placement& p : {Placement{0, 0, 0, 0}, Placement{-8, -8, 1288, 1032}, Placement{INT_MIN, INT_MAX, -1, 7}})
    EXPECT_EQ(ParsePlacement(FormatPlacement(p)), p);
}

}  // namespace
}  // namespace moji
