#include "YomiInput.h"

#include <gtest/gtest.h>

#include "TextConv.h"

namespace moji {
namespace {

using List = std::vector<std::u16string>;

TEST(YomiInput, CommasSplitAndEachPartIsAddedRefusedOrADuplicate) {
  const struct {
    std::u16string typed;
    List listed, added, duplicates, refused;
  } cases[] = {
      {u"あい、かき，さ", {}, {u"あい", u"かき", u"さ"}, {}, {}},
      {u"あ,い、う", {u"か"}, {u"あ", u"い", u"う"}, {}, {}},
      {u"あい,アイ", {}, {u"あい"}, {}, {u"アイ"}},
      {u"あい", {u"あい"}, {}, {u"あい"}, {}},
      {u"あ,あ", {}, {u"あ"}, {u"あ"}, {}},           // typed twice
      {u",,,", {}, {}, {}, {}},                         // every part empty
      {u"あ,,い,", {}, {u"あ", u"い"}, {}, {}},
      {u"ab,ｱ,ー,あ い", {}, {}, {}, {u"ab", u"ｱ", u"ー", u"あ い"}},
      {u"ぁゔ,あい", {u"あい"}, {u"ぁゔ"}, {u"あい"}, {}},
  };
  for (const auto& c : cases) {
    const ReadingInput input = SplitReadingInput(c.typed, c.listed);
    EXPECT_EQ(input.added, c.added) << ToUtf8(c.typed);
    EXPECT_EQ(input.duplicates, c.duplicates) << ToUtf8(c.typed);
    EXPECT_EQ(input.refused, c.refused) << ToUtf8(c.typed);
  }
}

TEST(YomiInput, TrimmingAndJoining) {
  EXPECT_EQ(TrimReadingInput(u" \t　あい,う　\r\n"), u"あい,う");
  EXPECT_EQ(TrimReadingInput(u" 　 "), u"");
  EXPECT_EQ(JoinReadings({u"アイ", u"ab"}), u"アイ,ab");
  EXPECT_EQ(JoinReadings({u"あ"}), u"あ");
  EXPECT_EQ(JoinReadings({}), u"");
}

}  // namespace
}  // namespace moji
