#include "EudcLinkList.h"

#include <gtest/gtest.h>

#include <set>

#include "EudcLinkSwitcher.h"
#include "EufCreatorFakes.h"

namespace moji {
namespace {

using test::CFakeLink;
using test::LinkCall;

constexpr char16_t kFonts[] = u"C:\\Windows\\Fonts";

FileExists Existing(std::set<std::u16string> files) {
  return [files = std::move(files)](const std::filesystem::path& path) { return files.count(path.u16string()) != 0; };
}

TEST(EudcLinkList, ValuesResolveByTheLinkChangesRuleAndAreJudgedByTheirTteAndEuf) {
  const FileExists exists = Existing({u"C:\\Windows\\Fonts\\EUDC.TTE", u"C:\\Windows\\Fonts\\EUDC.EUF",
                                      u"D:\\gaiji\\my.TTE", u"D:\\gaiji\\ok.TTE", u"D:\\gaiji\\ok.EUF",
                                      u"\\\\srv\\g\\net.TTE", u"\\\\srv\\g\\net.EUF", u"EUDC.TTE"});
  struct Case {
    std::u16string face, value, tte;
    EudcLinkState state;
    bool all;
  } cases[] = {
      {u"SystemDefaultEUDCFont", u"EUDC.TTE", u"C:\\Windows\\Fonts\\EUDC.TTE", EudcLinkState::Ok, true},
      {u"systemdefaulteudcfont", u"gone.tte", u"C:\\Windows\\Fonts\\gone.TTE", EudcLinkState::FileMissing, true},
      {u"ＭＳ 明朝", u"D:\\gaiji\\my.tte", u"D:\\gaiji\\my.TTE", EudcLinkState::EufMissing, false},
      {u"ＭＳ 明朝", u"D:\\gaiji\\ok.tte", u"D:\\gaiji\\ok.TTE", EudcLinkState::Ok, false},
      {u"Arial", u"\\\\srv\\g\\net.tte", u"\\\\srv\\g\\net.TTE", EudcLinkState::Ok, false},
      {u"Arial", u"D:\\gaiji\\gone.tte", u"D:\\gaiji\\gone.TTE", EudcLinkState::FileMissing, false},
      // a name without a folder is never looked for in the current folder
      {u"Arial", u"my.tte", u"C:\\Windows\\Fonts\\my.TTE", EudcLinkState::FileMissing, false},
      {u"Arial", u"", u"TTE", EudcLinkState::FileMissing, false},
  };
  for (const Case& c : cases) {
    const EudcLinkRow row = ResolveEudcLink(c.face, c.value, kFonts, exists);
    EXPECT_EQ(row, (EudcLinkRow{c.face, c.value, std::filesystem::path(c.tte), c.state, c.all}))
        << std::filesystem::path(c.value).string();
  }
}

TEST(EudcLinkList, RowsPutTheAllTypefaceLinkFirstAndOnlyBrokenFaceLinksAreRemoved) {
  CFakeLink link;
  link.values = {{u"Arial", u"D:\\gone.tte"},
                 {u"SystemDefaultEUDCFont", u"D:\\gone2.tte"},
                 {u"ＭＳ ゴシック", u"D:\\ok.tte"},
                 {u"ＭＳ 明朝", u"D:\\gone3.tte"}};
  const std::vector<EudcLinkRow> rows = ReadEudcLinks(link, kFonts, Existing({u"D:\\ok.TTE"}));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].face, u"SystemDefaultEUDCFont");
  EXPECT_EQ(rows[1].face, u"Arial");  // then the store's order
  EXPECT_EQ(CountEudcLinks(rows), (EudcLinkCounts{4, 3}));

  const std::vector<EudcLinkRow> broken = BrokenFaceLinks(rows);
  EXPECT_EQ(broken, (std::vector<EudcLinkRow>{rows[1], rows[3]}));

  // Every row handed over: the link for all typefaces (in any letter case) stays.
  std::vector<EudcLinkRow> all = rows;
  all.push_back({u"SYSTEMDEFAULTEUDCFONT", u"x.tte", {}, EudcLinkState::FileMissing, false});
  EXPECT_TRUE(RemoveFaceLinks(link, all).empty());
  EXPECT_EQ(link.calls, (std::vector<LinkCall>{{u"", u"Arial", u"932"}, {u"", u"ＭＳ ゴシック", u"932"},
                                               {u"", u"ＭＳ 明朝", u"932"}}));
  EXPECT_EQ(ReadEudcLinks(link, kFonts, Existing({})).size(), 1u);
}

}  // namespace
}  // namespace moji
