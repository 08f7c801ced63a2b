#include "YomiFind.h"

#include <gtest/gtest.h>

#include <vector>

#include "YomiRecords.h"

namespace moji {
namespace {

struct FindCase {
  const char* name;
  std::u16string text;
  int after;
  int expected;
};

TEST(YomiFindTest, EqualBeforePrefixWithOneWrap) {
  const auto store = test::YomiRecords({{0xE000, u"あいう"},
                              {0xE001, u"あい"},
                              {0xE001, u"かき"},
                              {0xE005, u"あいうえおかきくけこ"},
                              {0xE757, u"あい"},
                              {0xF8FF, u"さ"}});
  const FindCase cases[] = {
      {"equal after the selection", u"あい", 0xE000, 0xE001},
      {"equal skips a prefix in between", u"あい", 0xE001, 0xE757},
      {"equal wraps once to the lowest", u"あい", 0xE757, 0xE001},
      {"a lone equal hit finds itself again", u"かき", 0xE001, 0xE001},
      {"prefix when nothing is equal", u"あいうえ", 0xE000, 0xE005},
      {"equal wins over an earlier prefix", u"あいう", 0xDFFF, 0xE000},
      {"prefix wraps too", u"あいうえ", 0xE005, 0xE005},
      {"second reading of a code counts", u"か", 0xE000, 0xE001},
      {"last code of the range", u"さ", 0xE757, 0xF8FF},
      {"no reading begins with the text", u"い", 0xE000, 0},
      {"longer than every reading", u"あいうえおかきくけこさ", 0xE000, 0},
      {"empty text finds nothing", u"", 0xE000, 0},
  };
  for (const FindCase& c : cases) EXPECT_EQ(FindGaijiByReading(store, c.text, c.after), c.expected) << c.name;
}

TEST(YomiFindTest, TruncatedRecordAndEmptyStoreFindNothing) {
  auto store = test::YomiRecords({{0xE010, u"ね"}});
  store.pop_back();
  EXPECT_EQ(FindGaijiByReading(store, u"ね", 0xE000), 0);
  EXPECT_EQ(FindGaijiByReading({}, u"ね", 0xE000), 0);
}

}  // namespace
}  // namespace moji
