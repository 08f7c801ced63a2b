#include "Hiragana.h"

#include <gtest/gtest.h>

namespace moji {
namespace {

TEST(Hiragana, AcceptsTheRangeFromSmallAToVuAndTheEmptyText) {
  EXPECT_TRUE(IsHiraganaText(u""));
  EXPECT_TRUE(IsHiraganaText(u"\u3041"));  // ぁ
  EXPECT_TRUE(IsHiraganaText(u"\u3094"));  // ゔ
  EXPECT_TRUE(IsHiraganaText(u"がいじ"));
}

TEST(Hiragana, RefusesKatakanaLongVowelSpacesAndNeighbours) {
  EXPECT_FALSE(IsHiraganaText(u"\u30A1"));        // ァ
  EXPECT_FALSE(IsHiraganaText(u"\u30FC"));        // ー
  EXPECT_FALSE(IsHiraganaText(u" "));
  EXPECT_FALSE(IsHiraganaText(u"\u3040"));        // just below ぁ
  EXPECT_FALSE(IsHiraganaText(u"\u3095"));        // just above ゔ
  EXPECT_FALSE(IsHiraganaText(u"がい じ"));
  EXPECT_FALSE(IsHiraganaText(u"あa"));
  EXPECT_FALSE(IsHiraganaText(u"あ\u3000"));      // full-width space at the end
}

}  // namespace
}  // namespace moji
