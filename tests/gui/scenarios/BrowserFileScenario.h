// The fixture of the scenarios in which the browser opens gaiji files: fonts placed in the
// scenario folder, a TMP folder of the scenario's own (the browser's temporary EUF copies go
// there), the browser's main window, status line, message boxes and grid pixels.
#pragma once

#include <windows.h>

#include <gmock/gmock.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "BrowserNames.h"
#include "EufFile.h"
#include "GuiScenario.h"
#include "MojiviewRes.h"
#include "TestPaths.h"
#include "win32/GlyphBitmaps.h"

namespace moji::gui {

inline constexpr wchar_t kRecentSection[] = L"Recent File List";
inline constexpr COLORREF kLinkedHeaderColour = 0xE0E0FF;   // pale red
inline constexpr COLORREF kDefaultHeaderColour = 0xC0FFFF;  // pale yellow
inline constexpr UINT kReloadNotification = 0x80C8;

// The glyphs of tests/fixtures' small.tte (codes with an outline), as 64 × 64 EUF bits.
inline std::map<int, std::vector<std::uint8_t>> SmallFontGlyphs() {
  return {{0xE000, test::SquareGlyph()},
          {0xE001, test::EllGlyph()},
          {0xE002, test::BarsGlyph()},
          {0xE004, test::CodeShapeGlyph(0xE004)},
          {0xE00F, test::CodeShapeGlyph(0xE00F)}};
}

// Every glyph of an EUF file, by code; empty when the file cannot be opened.
inline std::map<int, std::vector<std::uint8_t>> ReadEufGlyphs(const std::filesystem::path& path) {
  std::map<int, std::vector<std::uint8_t>> glyphs;
  CEufFile euf;
  if (euf.Open(path, CBinaryFile::Access::Read) != 0) return glyphs;
  for (int code = euf.FirstCode(); code <= euf.LastCode(); ++code) {
    EufGlyph glyph;
    if (euf.HasGlyph(code) && euf.ReadGlyph(code, glyph)) glyphs[code] = glyph.bits;
  }
  return glyphs;
}

// Sends a message to a window of the browser and returns its answer (LB_ERR on timeout).
inline LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = static_cast<DWORD_PTR>(LB_ERR);
  if (!SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return LB_ERR;
  return static_cast<LRESULT>(result);
}

// The entries of a list box of the browser, in list order.
inline std::vector<std::wstring> ListBoxEntries(HWND list) {
  std::vector<std::wstring> entries;
  const LRESULT count = Ask(list, LB_GETCOUNT);
  for (LRESULT i = 0; i < count && count != LB_ERR; ++i) {
    wchar_t text[MAX_PATH] = {};
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            3000, &length))
      entries.emplace_back(text);
  }
  return entries;
}

class CBrowserFileScenario : public CGuiScenario {
 protected:
  void SetUp() override {
    CGuiScenario::SetUp();
    if (HasFatalFailure()) return;
    std::filesystem::remove(Folder().File(L"Mojiview.log"));
    m_savedTmp = Environment(L"TMP");
    m_tmp = Folder().File(L"tmp");
    std::filesystem::create_directories(m_tmp);
    SetTmp(m_tmp.wstring());
  }

  void TearDown() override {
    CGuiScenario::TearDown();
    SetTmp(m_savedTmp);
    // A read-only copy left behind would keep the next run from emptying the folder.
    for (const std::wstring& copy : TempCopies()) SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  // ---- environment and files ------------------------------------------------------------
  // TMP for the browsers started from now on; nothing removes it.
  static void SetTmp(const std::optional<std::wstring>& value) {
    SetEnvironmentVariableW(L"TMP", value ? value->c_str() : nullptr);
  }
  static std::optional<std::wstring> Environment(const wchar_t* name) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring value(needed, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), needed));
    return value;
  }
  const std::filesystem::path& Tmp() const { return m_tmp; }

  // Copies a generated fixture (or a file of the program folder) to `target`, creating its
  // folder; returns the target.
  std::filesystem::path Place(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    EXPECT_TRUE(CopyFileW(source.c_str(), target.c_str(), FALSE))
        << "cannot copy " << source << " to " << target << ", error " << GetLastError();
    return target;
  }
  std::filesystem::path PlaceFixture(const char* fixture, const std::filesystem::path& target) {
    return Place(test::Fixture(fixture), target);
  }
  std::filesystem::path PlaceSample(const wchar_t* extension, const std::filesystem::path& target) {
    return Place(ProgramFolder() / L"Sample" / (std::wstring(L"SampleGaiji") + extension), target);
  }

  // small.tte as `<base>.tte` with an EUF of its five glyphs as `<base>.euf` beside it (made
  // from the 64 × 64 template); returns the TTE path.
  std::filesystem::path PlaceSmallPair(const std::filesystem::path& base) {
    std::filesystem::path tte = base, euf = base;
    tte += L".tte";
    euf += L".euf";
    PlaceFixture("small.tte", tte);
    Place(ProgramFolder() / L"SPACE_64.euf", euf);
    CEufFile file;
    EXPECT_EQ(file.Open(euf, CBinaryFile::Access::ReadWrite), 0);
    for (const auto& [code, bits] : SmallFontGlyphs()) EXPECT_TRUE(file.AddGlyph(code, 64, 64, bits));
    EXPECT_TRUE(file.Commit());
    file.Close();
    return tte;
  }

  // The save dialog that a command opened: its proposed name checked, `path` typed, Save.
  void SaveAs(const wchar_t* proposed, const std::filesystem::path& path) {
    constexpr int kFileNameCombo = 0x47C;  // the common dialog's file name box
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindMessageBox(BrowserId())) && GetDlgItem(dialog, kFileNameCombo); }))
        << "no save dialog";
    EXPECT_EQ(ControlText(dialog, kFileNameCombo), proposed);
    Screenshot(L"save", dialog);
    ASSERT_TRUE(SetControlText(dialog, kFileNameCombo, path.wstring()));
    ASSERT_TRUE(PressButton(dialog, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the save dialog stays";
  }

  std::filesystem::path Ini() { return Folder().File(L"Mojiview.ini"); }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) { return ReadIniValue(Ini(), section, key, L"<missing>"); }
  void StoreSetting(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value.c_str(), Ini().c_str()));
  }
  void StoreRecentFiles(const std::vector<std::wstring>& paths) {
    for (size_t i = 0; i < paths.size(); ++i)
      StoreSetting(kRecentSection, (L"File" + std::to_wstring(i + 1)).c_str(), paths[i]);
  }
  std::wstring Log() { return ReadTextFile(Folder().File(L"Mojiview.log")).value_or(L""); }

  // Names of temporary EUF copies ("_Gvw_*") left in the scenario's TMP and the program's TEMP\.
  std::vector<std::wstring> TempCopies() {
    std::vector<std::wstring> found;
    for (const std::filesystem::path& folder : {m_tmp, Folder().File(L"TEMP")}) {
      std::error_code ec;
      if (!std::filesystem::is_directory(folder, ec)) continue;
      for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.rfind(L"_Gvw_", 0) == 0) found.push_back(entry.path().wstring());
      }
    }
    return found;
  }

  // ---- the browser --------------------------------------------------------------------------
  HWND StartBrowser(const std::wstring& arguments = {}, const std::filesystem::path& workingFolder = {}) {
    m_browser = &Start(kBrowserProgram, arguments, workingFolder);
    HWND main = m_browser->WaitForMainWindow(kDefaultTimeoutMs, kBrowserTag);
    EXPECT_TRUE(main) << "no main window";
    return main;
  }
  HWND StartBrowserWith(const std::filesystem::path& file) { return StartBrowser(L"\"" + file.wstring() + L"\""); }
  CTargetProcess& Browser() { return *m_browser; }
  DWORD BrowserId() const { return m_browser ? m_browser->Id() : 0; }

  // Ends the browser through its exit command; its exit code.
  std::optional<DWORD> ExitBrowser(HWND main) {
    EXPECT_TRUE(PostCommand(main, ID_APP_EXIT));
    return m_browser->WaitForExit(kDefaultTimeoutMs);
  }

  static HWND View(HWND main) { return GetDlgItem(main, kBrowserViewId); }
  static HWND Grid(HWND main) { return GetDlgItem(View(main), IDC_GAIJI_LIST); }
  static std::wstring StatusLine(HWND main) { return ControlText(View(main), IDC_STATUS_EDIT); }

  // "UNICODE=[E000] S-JIS=[F040] 外字数=[5]", with " 読み=[...]" when readings are given.
  static std::wstring Status(const wchar_t* unicode, const wchar_t* sjis, int count, const wchar_t* readings = nullptr) {
    std::wstring text = std::wstring(L"UNICODE=[") + unicode + L"] S-JIS=[" + sjis + L"] 外字数=[" + std::to_wstring(count) + L"]";
    if (readings) text += std::wstring(L" 読み=[") + readings + L"]";
    return text;
  }
  static std::wstring Title(const std::filesystem::path& path, int size = 64) {
    return L"Mojiview　[ " + path.wstring() + L" ] " + std::to_wstring(size) + L"×" + std::to_wstring(size);
  }

  // Waits until the status line (or the title) reads `text`; the text last read.
  static std::wstring WaitForStatusLine(HWND main, const std::wstring& text) {
    std::wstring last;
    WaitUntil([&] { return (last = StatusLine(main)) == text; }, 5000);
    return last;
  }
  static std::wstring WaitForTitle(HWND main, const std::wstring& text) {
    std::wstring last;
    WaitUntil([&] { return (last = WindowText(main)) == text; }, 5000);
    return last;
  }

  // The browser's message box: an enabled dialog captioned "Mojiview" (the wait box has no
  // caption; the creation question is captioned otherwise).
  HWND FindBrowserMessage() {
    for (HWND h : TopLevelWindows(BrowserId())) {
      if (IsWindowEnabled(h) && ClassName(h) == L"#32770" && WindowText(h) == L"Mojiview") return h;
    }
    return nullptr;
  }
  HWND WaitForBrowserMessage(DWORD timeoutMs = kDefaultTimeoutMs) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindBrowserMessage()) != nullptr; }, timeoutMs);
    return box;
  }
  // Waits for a message box, compares its text and answers it with `button`; the text shown
  // (empty when no box came).
  std::wstring AnswerMessage(int button = IDOK) {
    HWND box = WaitForBrowserMessage();
    if (!box) return {};
    ScreenshotIfNoneYet();
    const std::optional<std::wstring> text = AnswerMessageBox(box, button);
    EXPECT_TRUE(text) << "the box stays";
    return text.value_or(MessageBoxText(box));
  }

  // Starts the browser on `shown`, waits for it, then opens `other` from the recent files
  // (as their second entry); the main window.
  HWND ShowThenOpenRecent(const std::filesystem::path& shown, const std::filesystem::path& other) {
    StoreRecentFiles({other.wstring()});
    HWND main = StartBrowserWith(shown);
    if (!main) return nullptr;
    EXPECT_EQ(WaitForTitle(main, Title(shown)), Title(shown));
    EXPECT_TRUE(PostCommand(main, ID_FILE_MRU_FIRST + 1));
    return main;
  }

  // Posts the glyph editor's notification while the browser's message box or dialog `box`
  // is up and waits until the browser has taken it (its log line); then presses `button`.
  void ReloadDuring(HWND main, HWND box, int button) {
    ASSERT_TRUE(box);
    const size_t before = Occurrences(Log(), kNotified);
    ASSERT_TRUE(PostMessageW(main, kReloadNotification, 0, 0));
    EXPECT_TRUE(WaitUntil([&] { return Occurrences(Log(), kNotified) == before + 1; }, 5000)) << "the notification is lost";
    ASSERT_TRUE(PressButton(box, button));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
  }
  static size_t Occurrences(const std::wstring& text, const std::wstring& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++count;
    return count;
  }
  static constexpr wchar_t kNotified[] = L"Glyphdraw → 更新通知\n";
  static constexpr wchar_t kReloaded[] = L"Command:データ再読込\n";

  // ---- grid pixels ----------------------------------------------------------------------------
  // Screen rectangle of the 64 × 64 glyph area of `code`'s cell (its row must be visible):
  // rows of 69 pixels, a code column of 44, cells of 69 with the glyph at +47, +2.
  static RECT GlyphArea(HWND grid, int code) {
    const int index = code - 0xE000;
    const int top = static_cast<int>(Ask(grid, LB_GETTOPINDEX));
    POINT origin{0, 0};
    ClientToScreen(grid, &origin);
    const int x = origin.x + 47 + 69 * (index % 8), y = origin.y + (index / 8 - top) * 69 + 2;
    return RECT{x, y, x + 64, y + 64};
  }
  // The glyph as the grid shows it, in the EUF layout: 0 bits for black pixels.
  static std::vector<std::uint8_t> ShownGlyph(HWND grid, int code) {
    const RgbImage image = CaptureRect(GlyphArea(grid, code));
    std::vector<std::uint8_t> bits(64 * 64 / 8, 0xFF);
    if (image.width != 64 || image.height != 64) return {};
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        if (PixelAt(image, x, y) == RGB(0, 0, 0)) bits[y * 8 + x / 8] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
    return bits;
  }
  // Black pixels in the glyph area, in all or only in the part right of or below (`from`, `from`).
  static int InkPixels(HWND grid, int code, int from = 0) {
    const RgbImage image = CaptureRect(GlyphArea(grid, code));
    int ink = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        if ((x >= from || y >= from) && PixelAt(image, x, y) == RGB(0, 0, 0)) ++ink;
    return ink;
  }
  // Waits until the grid shows `bits` for `code`; false (with the last picture compared) else.
  static bool WaitForShownGlyph(HWND grid, int code, const std::vector<std::uint8_t>& bits) {
    return WaitUntil([&] { return ShownGlyph(grid, code) == bits; }, 3000);
  }
  static bool WaitForEmptyCell(HWND grid, int code) {
    return WaitUntil([&] { return InkPixels(grid, code) == 0; }, 3000);
  }
  // The fill of the code column of a visible row, just inside its top left corner.
  static COLORREF HeaderColour(HWND grid, int row) {
    const int top = static_cast<int>(Ask(grid, LB_GETTOPINDEX));
    POINT origin{0, 0};
    ClientToScreen(grid, &origin);
    const int x = origin.x + 2, y = origin.y + (row - top) * 69 + 2;
    return PixelAt(CaptureRect(RECT{x, y, x + 1, y + 1}), 0, 0);
  }
  static bool WaitForHeaderColour(HWND grid, int row, COLORREF colour) {
    return WaitUntil([&] { return HeaderColour(grid, row) == colour; }, 3000);
  }

 private:
  CTargetProcess* m_browser = nullptr;
  std::filesystem::path m_tmp;
  std::optional<std::wstring> m_savedTmp;
};

}  // namespace moji::gui
