#include "TextConv.h"

#include <gtest/gtest.h>

namespace moji {
namespace {

TEST(TextConv, RoundTripsJapaneseHalfWidthKanaAndPrivateUse) {
  const std::u16string text = u"外字ﾌｧｲﾙ \xE000\xF8FF あ,い 😀";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\xE000"), "\xEE\x80\x80");
}

TEST(TextConv, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xE3\x81"), u"a\xFFFD\xFFFD");
  EXPECT_EQ(FromUtf8("\xFF" "b"), u"\xFFFD" u"b");
  EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace moji
