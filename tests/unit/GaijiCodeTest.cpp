#include "GaijiCode.h"

#include <gtest/gtest.h>

namespace moji {
namespace {

TEST(GaijiCode, ParseHexCodeAcceptsExactlyFourDigitsOfEitherCase) {
  EXPECT_EQ(ParseHexCode(u"E000"), 0xE000);
  EXPECT_EQ(ParseHexCode(u"e000"), 0xE000);
  EXPECT_EQ(ParseHexCode(u"aBcD"), 0xABCD);
  EXPECT_EQ(ParseHexCode(u"0000"), 0);
  for (const char16_t* bad : {u"E00", u"E0000", u"G000", u" E00", u"E000 ", u"", u"E0-1", u"\xFF25" u"000"})
    EXPECT_EQ(ParseHexCode(bad), -1) << "input length " << std::u16string_view(bad).size();
}

TEST(GaijiCode, FormatHex4PadsAndKeepsTheLastFourDigits) {
  EXPECT_EQ(FormatHex4(0), u"0000");
  EXPECT_EQ(FormatHex4(0x3F), u"003F");
  EXPECT_EQ(FormatHex4(0xE757), u"E757");
  EXPECT_EQ(FormatHex4(0x12345), u"2345");
}

TEST(GaijiCode, ShiftJisConversionRoundTripsOverTheUserArea) {
  EXPECT_EQ(SjisToUnicodeGaiji(0xF040), 0xE000);
  EXPECT_EQ(SjisToUnicodeGaiji(0xF07E), 0xE03E);
  EXPECT_EQ(SjisToUnicodeGaiji(0xF080), 0xE03F);
  EXPECT_EQ(SjisToUnicodeGaiji(0xF0FC), 0xE0BB);
  EXPECT_EQ(SjisToUnicodeGaiji(0xF140), 0xE0BC);
  EXPECT_EQ(SjisToUnicodeGaiji(0xF9FC), 0xE757);
  EXPECT_EQ(SjisHexOfUnicode(0xE03F), u"F080");
  EXPECT_EQ(SjisHexOfUnicode(0xE0BC), u"F140");
  // Counting rule: every value from F040 upward whose low byte is a trail byte.
  int expected = 0xE000;
  for (int sjis = 0xF040; sjis <= 0xF9FC; ++sjis) {
    const int trail = sjis & 0xFF;
    if (trail < 0x40 || trail > 0xFC || trail == 0x7F) continue;
    ASSERT_EQ(SjisToUnicodeGaiji(sjis), expected) << std::hex << sjis;
    ASSERT_EQ(ParseHexCode(SjisHexOfUnicode(expected)), sjis) << std::hex << expected;
    ++expected;
  }
  EXPECT_EQ(expected, kGaijiSjisLast + 1);
}

TEST(GaijiCode, TypedCodesAreCheckedPerMode) {
  using enum CodeMode;
  EXPECT_EQ(ValidateTypedCode(u"F8FF", Unicode), 0xF8FF);
  EXPECT_EQ(ValidateTypedCode(u"e000", Unicode), 0xE000);
  EXPECT_FALSE(ValidateTypedCode(u"F900", Unicode));
  EXPECT_FALSE(ValidateTypedCode(u"DFFF", Unicode));
  EXPECT_FALSE(ValidateTypedCode(u"E00", Unicode));
  EXPECT_EQ(ValidateTypedCode(u"F9FC", ShiftJis), 0xE757);
  EXPECT_EQ(ValidateTypedCode(u"F080", ShiftJis), 0xE03F);
  EXPECT_FALSE(ValidateTypedCode(u"F07F", ShiftJis));
  EXPECT_FALSE(ValidateTypedCode(u"F0FD", ShiftJis));
  EXPECT_FALSE(ValidateTypedCode(u"F03F", ShiftJis));
  EXPECT_FALSE(ValidateTypedCode(u"FA40", ShiftJis));
  EXPECT_FALSE(ValidateTypedCode(u"E000", ShiftJis));
}

TEST(GaijiCode, OrdinalsAndPredefinedCodes) {
  EXPECT_EQ(GaijiCodeToIndex(0xE000), 0);
  EXPECT_EQ(GaijiCodeToIndex(0xF8FF), 6399);
  EXPECT_EQ(GaijiCodeToIndex(0xDFFF), -1);
  EXPECT_EQ(GaijiCodeToIndex(0xF900), -1);
  EXPECT_EQ(GaijiIndexToCode(-3), 0);
  EXPECT_EQ(GaijiIndexToCode(8), 0xE008);
  int predefined = 0;
  for (int c = 0; c <= 0xFFFF; ++c) predefined += IsWin2000PredefinedCode(c);
  EXPECT_EQ(predefined, 22);  // F001, F002, F810-F81B, F820-F823, F8F0-F8F3
  for (int c : {0xF003, 0xF81C, 0xF81F, 0xF824, 0xF8EF}) EXPECT_FALSE(IsWin2000PredefinedCode(c)) << std::hex << c;
  for (int c : {0xF001, 0xF002, 0xF810, 0xF81B, 0xF820, 0xF823, 0xF8F0, 0xF8F3}) EXPECT_TRUE(IsWin2000PredefinedCode(c));
}

}  // namespace
}  // namespace moji
