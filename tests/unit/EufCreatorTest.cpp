#include "EufCreator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "EufCreatorFakes.h"
#include "EufFile.h"
#include "GaijiCode.h"
#include "TestPaths.h"

namespace moji {
namespace {

namespace fs = std::filesystem;
using Answer = CEufCreatePrompter::Answer;
using Icon = CEufCreatePrompter::Icon;
using test::CFakeLink;
using test::CFakeLog;
using test::CFakePrompter;
using test::CFakeRenderer;
using test::LinkCall;

constexpr int kSize = 64;
constexpr std::size_t kBytes = kSize * kSize / 8;

std::vector<std::uint8_t> Bitmap(int seed) {
  std::vector<std::uint8_t> bits(kBytes);
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<std::uint8_t>(i * seed + seed);
  bits[0] = 0x00;  // never blank
  return bits;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class EufCreatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::temp_directory_path() / (std::string("moji_eufmake_") + info->test_suite_name() + "_" + info->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    request.ttePath = m_dir / u"外字.tte";
    request.eufPath = m_dir / u"外字.euf";
    request.face = u"ＭＳ 明朝";
    request.defaultEudcFont = u"EUDC.TTE";
    request.templateFolder = test::Template("");
  }
  void TearDown() override { fs::remove_all(m_dir); }

  int Run(const CTTEMetrics& tte) { return CreateEufFromTte(tte, request, {prompter, link, renderer, log}); }

  // Files left in the folder.
  std::vector<fs::path> Files() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(m_dir)) files.push_back(entry.path().filename());
    return files;
  }

  // The TTE reader of a fixture font.
  static CTTEMetrics Metrics(const char* name) {
    CTTEMetrics tte;
    tte.Read(test::Fixture(name));
    return tte;
  }

  std::vector<LinkCall> ExpectedLinkCalls(bool withUndoOnly = false) const {
    const std::u16string tte = request.ttePath.u16string();
    std::vector<LinkCall> calls = {{u"", u"SystemDefaultEUDCFont", u"932"}, {tte, request.face, u"932"}};
    if (withUndoOnly) calls.clear();
    calls.push_back({u"", request.face, u"932"});
    calls.push_back({u"", u"SystemDefaultEUDCFont", u"932"});
    calls.push_back({u"EUDC.TTE", u"SystemDefaultEUDCFont", u"932"});
    return calls;
  }

  fs::path m_dir;
  EufCreateRequest request;
  CFakePrompter prompter;
  CFakeLink link;
  CFakeRenderer renderer;
  CFakeLog log;
};

TEST_F(EufCreatorTest, TwoGlyphsReplaceTheTemplateRecordAndAppend) {
  renderer.glyphs = {{0xE000, Bitmap(3)}, {0xE001, Bitmap(5)}};
  const CTTEMetrics tte = Metrics("small.tte");  // E000, E001, E002, E004 and E00F defined
  ASSERT_EQ(Run(tte), 1);

  // Only the codes the TTE defines were drawn; E002, E004, E00F came out blank.
  EXPECT_EQ(renderer.rendered, (std::vector<int>{0xE000, 0xE001, 0xE002, 0xE004, 0xE00F}));
  ASSERT_EQ(renderer.begun.size(), 1u);
  EXPECT_EQ(renderer.begun[0].tte, request.ttePath);
  EXPECT_EQ(renderer.begun[0].face, u"ＭＳ 明朝");
  EXPECT_EQ(renderer.begun[0].size, kSize);
  EXPECT_EQ(renderer.ended, 1);
  EXPECT_EQ(link.calls, ExpectedLinkCalls());
  EXPECT_EQ(prompter.Ids(), std::vector<int>{6001});
  EXPECT_EQ(prompter.shown[0].icon, Icon::Information);
  EXPECT_EQ(prompter.shown[0].args, std::vector<MessageArg>{2});
  EXPECT_EQ(prompter.busyChanges, (std::vector<bool>{true, false}));
  EXPECT_EQ(log.lines, (std::vector<std::u16string>{u"EUF作成開始(size=64,EUF=" + request.eufPath.u16string() + u")\n",
                                                    u"EUF作成終了（件数=2:Err=0）\n"}));
  EXPECT_EQ(Files(), std::vector<fs::path>{u"外字.euf"});

  CEufFile templ;
  ASSERT_EQ(templ.Open(test::Template("SPACE_64.euf"), CBinaryFile::Access::Read), 0);
  CEufFile euf;
  ASSERT_EQ(euf.Open(request.eufPath, CBinaryFile::Access::Read), 0);
  const std::uint32_t first = templ.FirstRecordOffset();
  EXPECT_EQ(euf.FirstRecordOffset(), first);
  EXPECT_EQ(euf.Entry(0xE000), first);
  EXPECT_EQ(euf.Entry(0xE001), first + 8 + kBytes);
  EXPECT_EQ(euf.DataEnd(), first + 2 * (8 + kBytes));
  EXPECT_EQ(fs::file_size(request.eufPath), euf.Anchor() + euf.DataEnd());
  int withGlyph = 0;
  for (int code = kGaijiFirst; code <= kGaijiLast; ++code) withGlyph += euf.HasGlyph(code);
  EXPECT_EQ(withGlyph, 2);
  EufGlyph glyph;
  ASSERT_TRUE(euf.ReadGlyph(0xE000, glyph));
  EXPECT_EQ(glyph.width, kSize);
  EXPECT_EQ(glyph.bits, Bitmap(3));
  ASSERT_TRUE(euf.ReadGlyph(0xE001, glyph));
  EXPECT_EQ(glyph.bits, Bitmap(5));
}

TEST_F(EufCreatorTest, NothingStoredLeavesACopyOfTheTemplate) {
  const CTTEMetrics tte = Metrics("small.tte");
  renderer.glyphs = {{0xE004, Bitmap(7)}};
  renderer.middleDots = {0xE004};  // drawn exactly like the middle dot: not defined
  ASSERT_EQ(Run(tte), 1);
  EXPECT_EQ(prompter.Ids(), std::vector<int>{6001});
  EXPECT_EQ(prompter.shown[0].args, std::vector<MessageArg>{0});
  EXPECT_EQ(Slurp(request.eufPath), Slurp(test::Template("SPACE_64.euf")));
  EXPECT_EQ(log.lines.back(), u"EUF作成終了（件数=0:Err=0）\n");
  EXPECT_EQ(Files().size(), 1u);
}

TEST_F(EufCreatorTest, EveryGlyphOfAFullFontIsWrittenThrough) {
  const CTTEMetrics tte = Metrics("wide_segment.tte");  // every gaiji code defined
  for (int code = kGaijiFirst; code <= kGaijiLast; ++code) renderer.glyphs[code] = Bitmap(code);
  request.unicode = true;
  ASSERT_EQ(Run(tte), 1);
  EXPECT_EQ(prompter.shown.back().args, std::vector<MessageArg>{6400});
  CEufFile euf;
  ASSERT_EQ(euf.Open(request.eufPath, CBinaryFile::Access::Read), 0);
  EXPECT_EQ(fs::file_size(request.eufPath), euf.Anchor() + euf.DataEnd());
  EufGlyph glyph;
  for (int code = kGaijiFirst; code <= kGaijiLast; ++code) {
    ASSERT_TRUE(euf.ReadGlyph(code, glyph)) << std::hex << code;
    ASSERT_EQ(glyph.bits, Bitmap(code)) << std::hex << code;
  }
}

TEST_F(EufCreatorTest, UnreadableTteAsksAndThenDrawsEveryCode) {
  const CTTEMetrics unread;  // readStatus -1
  prompter.answers[6006] = Answer::No;
  EXPECT_EQ(Run(unread), 0);
  EXPECT_EQ(prompter.Ids(), std::vector<int>{6006});
  EXPECT_EQ(prompter.shown[0].args, std::vector<MessageArg>{request.ttePath.u16string()});
  EXPECT_TRUE(link.calls.empty());
  EXPECT_TRUE(Files().empty());

  prompter = {};
  prompter.answers[6006] = Answer::Yes;
  renderer.glyphs = {{0xE757, Bitmap(9)}};
  EXPECT_EQ(Run(unread), 1);
  EXPECT_EQ(renderer.rendered.size(), 0x758u);  // U+E000..U+E757, no presence flags
  EXPECT_EQ(prompter.Ids(), (std::vector<int>{6006, 6001}));
  CEufFile euf;
  ASSERT_EQ(euf.Open(request.eufPath, CBinaryFile::Access::Read), 0);
  EXPECT_TRUE(euf.HasGlyph(0xE757));
}

// wide_segment.tte defines every code of the gaiji space.
TEST_F(EufCreatorTest, PredefinedCodesAreExcludedOnlyOnXDot0WithTheUnicodeFlag) {
  const CTTEMetrics tte = Metrics("wide_segment.tte");
  const int predefinedCount = 22;
  struct Case {
    bool unicode;
    OsVersion os;
    std::optional<Answer> answer;  // to 5023; nothing when it must not be asked
    std::size_t rendered;
  };
  const Case cases[] = {
      {true, {true, 5, 0}, Answer::Yes, 6400 - predefinedCount},
      {true, {true, 6, 0}, Answer::No, 6400},
      {true, {true, 5, 1}, std::nullopt, 6400},
      {true, {false, 5, 0}, std::nullopt, 6400},
      {false, {true, 5, 0}, std::nullopt, 0x758},
      {true, {true, 4, 0}, std::nullopt, 6400},
      {true, {true, 10, 0}, std::nullopt, 6400},  // Windows 10 and 11 through the manifest
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.unicode << " " << c.os.nt << " " << c.os.major << "." << c.os.minor);
    prompter = {};
    renderer.rendered.clear();
    request.unicode = c.unicode;
    request.os = c.os;
    if (c.answer) prompter.answers[5023] = *c.answer;
    EXPECT_EQ(Run(tte), 1);
    EXPECT_EQ(prompter.Ids().front() == 5023, c.answer.has_value());
    EXPECT_EQ(renderer.rendered.size(), c.rendered);
    const bool excluded = c.answer == Answer::Yes;
    for (int code : renderer.rendered) ASSERT_FALSE(excluded && IsWin2000PredefinedCode(code)) << std::hex << code;
  }

  // Cancel stops before anything is touched.
  prompter = {};
  link.calls.clear();
  fs::remove(request.eufPath);
  request.unicode = true;
  request.os = {true, 5, 0};
  prompter.answers[5023] = Answer::Cancel;
  EXPECT_EQ(Run(tte), 0);
  EXPECT_TRUE(link.calls.empty());
  EXPECT_TRUE(Files().empty());
}

TEST_F(EufCreatorTest, FailedLinkIsUndoneAndLeavesNoFile) {
  const CTTEMetrics tte = Metrics("small.tte");
  renderer.glyphs = {{0xE000, Bitmap(3)}};
  link.linkResult = -3;
  EXPECT_EQ(Run(tte), 0);
  EXPECT_EQ(link.calls, ExpectedLinkCalls());
  EXPECT_TRUE(renderer.rendered.empty());
  EXPECT_TRUE(renderer.begun.empty());
  EXPECT_EQ(prompter.Ids(), std::vector<int>{2041});
  EXPECT_EQ(log.lines.size(), 1u);  // the start line only
  EXPECT_TRUE(Files().empty());

  // A renderer that cannot start counts as a failed link, and the link is undone too.
  prompter = {};
  link = {};
  renderer.beginResult = false;
  EXPECT_EQ(Run(tte), 0);
  EXPECT_EQ(link.calls, ExpectedLinkCalls());
  EXPECT_EQ(renderer.ended, 2);
  EXPECT_EQ(prompter.Ids(), std::vector<int>{2041});
  EXPECT_TRUE(Files().empty());
}

TEST_F(EufCreatorTest, AnExceptionWhileDrawingStillUndoesTheLinkAndLeavesNoFile) {
  const CTTEMetrics tte = Metrics("small.tte");
  renderer.glyphs = {{0xE000, Bitmap(3)}};
  renderer.throwAt = 0xE001;
  EXPECT_THROW(Run(tte), std::bad_alloc);
  EXPECT_EQ(link.calls, ExpectedLinkCalls());
  EXPECT_EQ(renderer.ended, 1);
  EXPECT_EQ(prompter.busyChanges, (std::vector<bool>{true, false}));
  EXPECT_TRUE(Files().empty());
}

TEST_F(EufCreatorTest, EveryMessageOfTheCreationGoesToTheLog) {
  // 6006 and 6001 of a TTE the reader could not read, 5023 and 2041 of a failed link.
  CTTEMetrics unread = Metrics("small.tte");
  unread.readStatus = 31;
  prompter.answers[6006] = Answer::Yes;
  ASSERT_EQ(Run(unread), 1);
  fs::remove(request.eufPath);
  request.unicode = true;
  request.os = {true, 5, 0};
  prompter.answers[5023] = Answer::No;
  link.linkResult = -3;
  EXPECT_EQ(Run(Metrics("small.tte")), 0);
  EXPECT_EQ(prompter.Ids(), (std::vector<int>{6006, 6001, 5023, 2041}));
  for (const auto& shown : prompter.shown) EXPECT_TRUE(shown.log) << shown.id;
}

TEST_F(EufCreatorTest, UnusableTemplatesAreReportedWithTheEufPath) {
  const CTTEMetrics tte = Metrics("small.tte");
  renderer.glyphs = {{0xE000, Bitmap(3)}};

  // Missing template: 2044 with template, EUF and the system's text.
  request.templateFolder = m_dir / "nowhere";
  EXPECT_EQ(Run(tte), 0);
  ASSERT_EQ(prompter.Ids(), std::vector<int>{2044});
  EXPECT_EQ(prompter.shown[0].args, (std::vector<MessageArg>{(m_dir / "nowhere" / "SPACE_64.euf").u16string(),
                                                             request.eufPath.u16string(), u"system error text"}));
  EXPECT_TRUE(prompter.shown[0].log);

  // Not an EUF, and an EUF of another glyph size.
  const fs::path folder = m_dir / "templates";
  fs::create_directories(folder);
  struct Case {
    std::string content;
    int message;
  };
  const Case cases[] = {
      {std::string(200, 'x'), 2017},
      {Slurp(test::Template("SPACE_48.euf")), 2019},
  };
  request.templateFolder = folder;
  for (const Case& c : cases) {
    std::ofstream(folder / "SPACE_64.euf", std::ios::binary) << c.content;
    prompter = {};
    EXPECT_EQ(Run(tte), 0);
    EXPECT_EQ(prompter.Ids(), std::vector<int>{c.message});
    EXPECT_EQ(prompter.shown[0].args, std::vector<MessageArg>{request.eufPath.u16string()});
  }
  EXPECT_TRUE(link.calls.empty());
  EXPECT_EQ(Files(), std::vector<fs::path>{"templates"});
}

TEST_F(EufCreatorTest, FailureAtTheEndLeavesNoFile) {
  // The EUF path is taken by a folder: the finished file cannot be moved into place.
  fs::create_directories(request.eufPath / "inside");
  const CTTEMetrics tte = Metrics("small.tte");
  renderer.glyphs = {{0xE000, Bitmap(3)}, {0xE00F, Bitmap(4)}};
  EXPECT_EQ(Run(tte), 0);
  EXPECT_EQ(link.calls, ExpectedLinkCalls());
  EXPECT_EQ(prompter.Ids(), std::vector<int>{2044});
  EXPECT_EQ(log.lines.back(), u"EUF作成終了（件数=2:Err=1）\n");
  EXPECT_EQ(Files(), std::vector<fs::path>{u"外字.euf"});
  EXPECT_TRUE(fs::is_directory(request.eufPath / "inside"));
}

}  // namespace
}  // namespace moji
