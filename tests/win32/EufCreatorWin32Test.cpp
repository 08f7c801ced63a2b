// EUF creation with the GDI renderer: the browser's entry point against the registry of the
// test prefix, a font with a gaiji shaped like the middle dot, and the message boxes.
#include "EufCreatorWin32.h"
#include "RegistryEudcLink.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "EufCreatorFakes.h"
#include "EufFile.h"
#include "GdiGlyphRenderer.h"
#include "GlyphBitmaps.h"
#include "Log.h"
#include "Message.h"
#include "TestPaths.h"
#include "TextConv.h"
#include "Win32TestSupport.h"

namespace moji {
namespace {

using Bits = std::vector<std::uint8_t>;

// Message boxes answered without a display; every box is recorded.
class CapturedBoxes {
 public:
  explicit CapturedBoxes(int answer = IDOK) {
    m_previous = SetMessageBoxFunction([this, answer](HWND, const std::wstring& text, const std::wstring&, UINT type) {
      boxes.push_back({text, type});
      return answer;
    });
  }
  ~CapturedBoxes() { SetMessageBoxFunction(m_previous); }
  struct Box {
    std::wstring text;
    UINT type;
  };
  std::vector<Box> boxes;

 private:
  MessageBoxFunction m_previous;
};

// One value of HKCU\EUDC\932, put back as it was when the test ends.
class SavedLinkValue {
 public:
  explicit SavedLinkValue(std::wstring name) : m_name(std::move(name)) { m_value = Read(m_name); }
  ~SavedLinkValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"EUDC\\932", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (m_value)
      RegSetValueExW(key, m_name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(m_value->c_str()),
                     static_cast<DWORD>((m_value->size() + 1) * sizeof(wchar_t)));
    else
      RegDeleteValueW(key, m_name.c_str());
    RegCloseKey(key);
  }
  static std::optional<std::wstring> Read(const std::wstring& name) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"EUDC\\932", name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
      return std::nullopt;
    return std::wstring(data);
  }

 private:
  std::wstring m_name;
  std::optional<std::wstring> m_value;
};

// The key the link switch needs: created for the test when the prefix has none.
class EudcKey {
 public:
  EudcKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"EUDC\\932", 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      return;
    }
    m_created = RegCreateKeyExW(HKEY_CURRENT_USER, L"EUDC\\932", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr) == ERROR_SUCCESS;
    if (m_created) RegCloseKey(key);
  }
  ~EudcKey() {
    if (m_created) RegDeleteTreeW(HKEY_CURRENT_USER, L"EUDC\\932");
  }

 private:
  bool m_created = false;
};

void ExpectGlyphs(const std::filesystem::path& eufPath, const std::map<int, Bits>& expected) {
  CEufFile euf;
  ASSERT_EQ(euf.Open(eufPath, CBinaryFile::Access::Read), 0);
  for (int code = kGaijiFirst; code <= kGaijiLast; ++code) {
    const auto want = expected.find(code);
    ASSERT_EQ(euf.HasGlyph(code), want != expected.end()) << std::hex << code;
    if (want == expected.end()) continue;
    EufGlyph glyph;
    ASSERT_TRUE(euf.ReadGlyph(code, glyph)) << std::hex << code;
    EXPECT_EQ(glyph.width, 64);
    EXPECT_EQ(glyph.height, 64);
    EXPECT_EQ(glyph.bits, want->second) << std::hex << code;
  }
}

std::vector<std::filesystem::path> Files(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(EufCreatorWin32, EntryPointStoresEveryGlyphOfTheFontAndRestoresTheLinks) {
  test::ScratchFolder folder(L"eufmake");
  const std::filesystem::path tte = folder / L"外字.tte";
  const std::filesystem::path eufPath = folder / L"外字.euf";
  std::filesystem::copy_file(test::Fixture("small.tte"), tte);
  CTTEMetrics metrics;
  ASSERT_EQ(metrics.Read(tte), 0);

  CSettings settings(test::Template("").wstring());
  settings.defaultEudcFont = L"MyDefault.tte";
  EudcKey key;
  SavedLinkValue all(L"SystemDefaultEUDCFont"), face(settings.gaijiShowFont);
  const std::wstring own = L"C:\\Users\\me\\own.tte";  // the user's link for all typefaces stays
  RegSetKeyValueW(HKEY_CURRENT_USER, L"EUDC\\932", L"SystemDefaultEUDCFont", REG_SZ, own.c_str(),
                  static_cast<DWORD>((own.size() + 1) * sizeof(wchar_t)));
  CapturedBoxes boxes;
  ASSERT_EQ(CreateEufFromTte(nullptr, metrics, tte.wstring(), eufPath.wstring(), false, 64, 64, settings), 1);

  ASSERT_EQ(boxes.boxes.size(), 1u);  // 6001
  EXPECT_EQ(boxes.boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  ExpectGlyphs(eufPath, {{0xE000, test::SquareGlyph()},
                         {0xE001, test::EllGlyph()},
                         {0xE002, test::BarsGlyph()},
                         {0xE004, test::CodeShapeGlyph(0xE004)},
                         {0xE00F, test::CodeShapeGlyph(0xE00F)}});
  EXPECT_EQ(Files(folder.Path()), (std::vector<std::filesystem::path>{L"外字.euf", L"外字.tte"}));
  EXPECT_EQ(SavedLinkValue::Read(L"SystemDefaultEUDCFont"), own);
  EXPECT_FALSE(SavedLinkValue::Read(settings.gaijiShowFont));
  EXPECT_FALSE(std::filesystem::exists(ProcessLinkJournal().Path())) << "the journal outlives the undo";
}

TEST(EufCreatorWin32, GaijiDrawnLikeTheMiddleDotIsLeftOut) {
  test::ScratchFolder folder(L"eufmake_dot");
  EufCreateRequest request;
  request.ttePath = test::Fixture("middot.tte");
  request.eufPath = folder / L"middot.euf";
  request.face = u"ＭＳ 明朝";
  request.defaultEudcFont = u"EUDC.TTE";
  request.templateFolder = test::Template("");
  CTTEMetrics metrics;
  ASSERT_NE(metrics.Read(request.ttePath), 0);  // U+30FB is a second segment: drawn code by code

  test::CFakePrompter prompter;
  prompter.answers[6006] = CEufCreatePrompter::Answer::Yes;
  test::CFakeLink link;
  test::CFakeLog log;
  CGdiGlyphRenderer renderer;
  ASSERT_EQ(CreateEufFromTte(metrics, request, {prompter, link, renderer, log}), 1);
  EXPECT_EQ(prompter.Ids(), (std::vector<int>{6006, 6001}));
  EXPECT_EQ(prompter.shown[1].args, std::vector<MessageArg>{2});
  ExpectGlyphs(request.eufPath, {{0xE000, test::SquareGlyph()}, {0xE002, test::EllGlyph()}});
}

TEST(EufCreatorWin32, PrompterFormatsTextsAndNumbers) {
  test::ScratchFolder folder(L"eufmake_prompt");
  CMessageBoxEufPrompter prompter(nullptr);
  {
    CapturedBoxes boxes(IDNO);
    EXPECT_EQ(prompter.Message(64000, CEufCreatePrompter::Buttons::YesNoCancel, CEufCreatePrompter::Icon::Question,
                               {u"外字.tte", 42, 0xE000, 0x1234}, false),
              CEufCreatePrompter::Answer::No);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"'外字.tte'\r\n42:E000:00001234");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  }
  CLog::Open(folder / L"test.log");
  {
    CapturedBoxes boxes;
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::u16string error = prompter.LastSystemErrorText();
    EXPECT_FALSE(error.empty());
    prompter.Message(2044, CEufCreatePrompter::Buttons::Ok, CEufCreatePrompter::Icon::None, {u"a", u"b", error}, true);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"「a」から\r\n「b」への\r\nﾌｧｲﾙｺﾋﾟｰに失敗しました。\r\n" + ToWide(error));
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
  }
  CLog::Close();
  EXPECT_NE(test::ReadBytes(folder / L"test.log").find("ﾌｧｲﾙｺﾋﾟｰに失敗しました。"), std::string::npos);
}

}  // namespace
}  // namespace moji
