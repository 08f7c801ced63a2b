// The code-table printer: start-up alone and with /F:, the single instance, the settings and
// the link reset, the range bar, a printed job on the Wine PostScript printer (turned into
// PNG pages by ghostscript and checked cell by cell), the print preview with its page number
// and the height the frame remembers for it, the printer set-up, the browser's launch and
// help.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <optional>

#include "BrowserNames.h"
#include "CommandStateQuery.h"
#include "DialogUnits.h"
#include "GuiScenario.h"
#include "MojisheetRes.h"
#include "PngReader.h"
#include "TestPaths.h"

// Window rectangles compared and printed whole (found by argument-dependent lookup).
static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
static void PrintTo(const RECT& r, std::ostream* out) {
  *out << r.left << "," << r.top << " - " << r.right << "," << r.bottom;
}

namespace moji::gui {
namespace {

constexpr wchar_t kPrinterProgram[] = L"Mojisheet.exe";
constexpr wchar_t kPrintSection[] = L"GkpPrintSettings";
constexpr wchar_t kMissing[] = L"<missing>";
constexpr int kViewId = 0xE900, kToolBarId = 0xE800;
constexpr wchar_t kEudcKey[] = L"EUDC\\932";

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

std::optional<std::wstring> EudcLink(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kEudcKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

void SetEudcLink(const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kEudcKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

// A dialog of `process` other than `except`, e.g. a common dialog opened by a command.
HWND WaitForOtherDialog(DWORD process, HWND except) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND h : TopLevelWindows(process)) {
      if (h != except && IsWindowVisible(h) && ClassName(h) == L"#32770") found = h;
    }
    return found != nullptr;
  });
  return found;
}

// Runs a Unix shell command from inside Wine and waits for its exit status, which the shell
// writes to `status` (Wine gives no usable handle of a Unix process).
std::optional<int> RunUnixCommand(const std::wstring& command, const std::filesystem::path& status,
                                  const std::wstring& unixStatus) {
  std::filesystem::remove(status);
  std::wstring line = L"/bin/sh -c \"" + command + L"; echo $? > " + unixStatus + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return std::nullopt;
  if (info.hThread) CloseHandle(info.hThread);
  if (info.hProcess) CloseHandle(info.hProcess);
  std::optional<std::wstring> text;
  WaitUntil([&] { return (text = ReadTextFile(status)) && !text->empty() && text->back() == L'\n'; }, 60000);
  if (!text || text->empty()) return std::nullopt;
  return _wtoi(text->c_str());
}

// "Z:\a\b" as the Unix path "/a/b".
std::wstring UnixPath(const std::filesystem::path& path) {
  std::wstring text = path.wstring();
  if (text.size() > 2 && text[1] == L':') text = text.substr(2);
  for (wchar_t& c : text) c = c == L'\\' ? L'/' : c;
  return text;
}

bool IsInk(const RgbImage& page, int x, int y) { return page.pixels[(static_cast<std::size_t>(y) * page.width + x) * 3] < 128; }

// Pixels per page unit across and down, from the grid: its outer vertical lines (x = 9 and
// 201) across the middle of the page and its bottom line (y = 293) down the middle of
// cell column 3. The printer's resolution and printable area decide both.
struct PageScale {
  double x = 0, y = 0;
};

PageScale MeasureScale(const RgbImage& page) {
  int first = -1, last = -1;
  for (int x = 0; x < page.width; ++x) {
    if (!IsInk(page, x, page.height / 2)) continue;
    if (first < 0) first = x;
    last = x;
  }
  PageScale scale;
  scale.x = (last - first) / 192.0;
  const int column = static_cast<int>(105 * scale.x);
  int bottom = -1;
  for (int y = 0; y < page.height; ++y) {
    if (IsInk(page, column, y)) bottom = y;
  }
  scale.y = bottom / 293.0;
  return scale;
}

// Dark pixels of a page image inside a rectangle of page units.
int InkIn(const RgbImage& page, const PageScale& scale, double left, double top, double right, double bottom) {
  int ink = 0;
  for (int y = static_cast<int>(top * scale.y); y < static_cast<int>(bottom * scale.y); ++y) {
    for (int x = static_cast<int>(left * scale.x); x < static_cast<int>(right * scale.x); ++x) {
      if (x < 0 || y < 0 || x >= page.width || y >= page.height) continue;
      if (IsInk(page, x, y)) ++ink;
    }
  }
  return ink;
}

class PrinterScenario : public CGuiScenario {
 protected:
  std::filesystem::path Ini() { return Folder().File(L"Mojiview.ini"); }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) { return ReadIniValue(Ini(), section, key, kMissing); }
  void StoreSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, Ini().c_str()));
  }

  HWND StartPrinter(CTargetProcess*& process, const std::wstring& arguments = {}) {
    process = &Start(kPrinterProgram, arguments);
    HWND main = process->WaitForMainWindow(kDefaultTimeoutMs, kPrinterTag);
    EXPECT_TRUE(main) << "no main window";
    return main;
  }
  HWND View(HWND main) { return GetDlgItem(main, kViewId); }

  // The fixed frame size around the range bar (dialog 101, 320 x 57 units): no status bar.
  SIZE ExpectedFrameSize(HWND main) {
    const SIZE form = CDialogUnits(320, 57, L"ＭＳ Ｐゴシック", 9).Pixels(320, 57);
    return SIZE{form.cx + 2 * GetSystemMetrics(SM_CXFRAME) + 4,
                form.cy + GetSystemMetrics(SM_CYCAPTION) + 3 * GetSystemMetrics(SM_CYFRAME) +
                    GetSystemMetrics(SM_CYMENU) + Height(WindowRect(GetDlgItem(main, kToolBarId))) + 2};
  }

  std::filesystem::path AddFixture(const char* name) {
    EXPECT_TRUE(Folder().AddFile(test::Fixture(name)));
    return Folder().File(std::wstring(name, name + strlen(name)));
  }

  // Waits for the printer's message box, checks its caption and answers OK; its text (empty
  // when none came).
  std::wstring AnswerMessage(const CTargetProcess& printer) {
    HWND box = WaitForMessageBox(printer.Id());
    if (!box) return {};
    EXPECT_EQ(WindowText(box), L"Mojisheet");
    ScreenshotIfNoneYet();
    const std::optional<std::wstring> text = AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(text) << "the box stays";
    return text.value_or(MessageBoxText(box));
  }

  // The print command through the print dialog (OK) and the save dialog that the port FILE:
  // brings, into `output`; true once the job is written and only the main window is left.
  bool PrintToFile(const CTargetProcess& printer, HWND main, const std::filesystem::path& output,
                   const wchar_t* screenshot = nullptr) {
    if (!PostCommand(main, ID_FILE_PRINT)) return false;
    HWND dialog = WaitForOtherDialog(printer.Id(), main);
    EXPECT_TRUE(dialog) << "no print dialog";
    if (!dialog) return false;
    if (screenshot) Screenshot(screenshot);
    if (!PressButton(dialog, IDOK)) return false;
    HWND save = nullptr;
    if (!WaitUntil([&] { return (save = WaitForOtherDialog(printer.Id(), main)) != dialog && save; })) return false;
    constexpr int kFileNameBox = 0x47C;  // the file name of the save dialog
    if (!SetControlText(save, kFileNameBox, output.wstring()) || !PressButton(save, IDOK)) return false;
    // The job has ended when its temporary link is undone: the undo removes the journal.
    const std::filesystem::path journal = JournalOf(printer.Id());
    return WaitUntil([&] {
      return TopLevelWindows(printer.Id()).size() == 1 && std::filesystem::exists(output) && !std::filesystem::exists(journal);
    }, 30000);
  }
};

TEST_F(PrinterScenario, AloneItShowsTheDefaultFontAt40x40InAFixedFrameAndWritesItsOneDefault) {
  SetEudcLink(L"SystemDefaultEUDCFont", L"other.tte");
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer);
  ASSERT_TRUE(main);
  EXPECT_EQ(WindowText(main), L"Mojisheet  [ EUDC.TTE ]");
  EXPECT_EQ(FindMessageBox(printer->Id()), nullptr) << "the start-up wait box is still up";
  const SIZE expected = ExpectedFrameSize(main);
  const RECT rect = WindowRect(main);
  EXPECT_EQ(rect, (RECT{40, 40, 40 + expected.cx, 40 + expected.cy})) << "not at 40, 40 around the range bar";
  EXPECT_EQ(ControlText(View(main), IDC_START_CODE), L"E000");
  EXPECT_EQ(ControlText(View(main), IDC_END_CODE), L"F8FF");
  EXPECT_EQ(Setting(L"Common", L"DefaultEudcFont"), L"EUDC.TTE");
  EXPECT_EQ(Setting(L"GkpSettings", L"GaijiShowFont"), kMissing) << "the printer writes no face";
  EXPECT_EQ(EudcLink(L"SystemDefaultEUDCFont"), std::optional<std::wstring>(L"EUDC.TTE")) << "no link reset";
  Screenshot(L"", main);

  // The user cannot resize it; closing without a move stores where it is.
  ASSERT_TRUE(SetWindowPos(main, nullptr, 0, 0, Width(rect) + 50, Height(rect) + 50, SWP_NOMOVE | SWP_NOZORDER));
  EXPECT_EQ(Width(WindowRect(main)), expected.cx);
  EXPECT_EQ(Height(WindowRect(main)), expected.cy);
  ASSERT_TRUE(PostCommand(main, ID_APP_EXIT));
  EXPECT_EQ(printer->WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kPrintSection, L"CodePrintWindowPos"),
            L"40:40:" + std::to_wstring(40 + expected.cx) + L":" + std::to_wstring(40 + expected.cy));
}

TEST_F(PrinterScenario, StoredSettingsGiveTitlePositionAndTheLinkForAllFaces) {
  StoreSetting(L"Common", L"DefaultEudcFont", L"MINE.TTE");
  StoreSetting(kPrintSection, L"CodePrintWindowPos", L"120:80:0:0");
  SetEudcLink(L"SystemDefaultEUDCFont", L"other.tte");
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer);
  ASSERT_TRUE(main);
  EXPECT_EQ(WindowText(main), L"Mojisheet  [ MINE.TTE ]");
  EXPECT_EQ(WindowRect(main).left, 120);
  EXPECT_EQ(WindowRect(main).top, 80);
  Screenshot();
  EXPECT_EQ(EudcLink(L"SystemDefaultEUDCFont"), std::optional<std::wstring>(L"MINE.TTE"));
}

TEST_F(PrinterScenario, TheBrowsersCommandLineNamesTheFileAndASecondStartOnlyBringsTheFirstForward) {
  const std::wstring path = L"C:\\my fonts\\外字 1.tte";
  CTargetProcess* first = nullptr;
  HWND main = StartPrinter(first, L"/F:" + path);
  ASSERT_TRUE(main);
  EXPECT_EQ(WindowText(main), L"Mojisheet  [ " + path + L" ]");

  CTargetProcess& second = Start(kPrinterProgram, L"/f:D:\\other.tte");
  EXPECT_EQ(second.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(1));
  EXPECT_EQ(CountWindowsWithProperty(kPrinterTag), 1);
  Screenshot();
  EXPECT_EQ(WindowText(main), L"Mojisheet  [ " + path + L" ]") << "the running printer keeps its file";
}

TEST_F(PrinterScenario, RangeButtonsCommandsAndAboutBox) {
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer);
  ASSERT_TRUE(main);
  HWND view = View(main);
  ASSERT_TRUE(ClickControl(view, IDC_RANGE_SJIS));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(view, IDC_END_CODE) == L"E757"; }));
  EXPECT_EQ(ControlText(view, IDC_START_CODE), L"E000");
  SetControlText(view, IDC_START_CODE, L"e123");
  ASSERT_TRUE(ClickControl(view, IDC_RANGE_UNICODE));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(view, IDC_END_CODE) == L"F8FF"; }));
  EXPECT_EQ(ControlText(view, IDC_START_CODE), L"E000");

  const auto states = QueryCommandStates(main);
  ASSERT_TRUE(states) << "the frame did not answer the query";
  std::map<UINT, bool> menu, toolbar;
  std::wstring aboutText;
  for (const CommandState& s : *states) {
    (s.kind == L'M' ? menu : toolbar)[s.id] = s.enabled;
    if (s.kind == L'M' && s.id == ID_APP_ABOUT) aboutText = s.text;
  }
  EXPECT_TRUE(menu[ID_FILE_PRINT] && menu[ID_FILE_PRINT_PREVIEW] && menu[ID_FILE_PRINT_SETUP] && menu[ID_APP_EXIT]);
  EXPECT_TRUE(menu[ID_BROWSER_LAUNCH] && menu[ID_HELP] && menu[ID_APP_ABOUT]);
  EXPECT_FALSE(menu[ID_GAIJI_MANAGER]);
  EXPECT_EQ(toolbar, (std::map<UINT, bool>{{ID_FILE_PRINT, true}, {ID_FILE_PRINT_PREVIEW, true}, {ID_FILE_PRINT_SETUP, true},
                                           {ID_GAIJI_MANAGER, false}, {ID_BROWSER_LAUNCH, true}}));
  EXPECT_EQ(aboutText, L"Mojisheet のﾊﾞｰｼﾞｮﾝ情報(&A)...");

  ASSERT_TRUE(PostCommand(main, ID_APP_ABOUT));
  HWND box = WaitForDialog(printer->Id(), L"Mojisheetのﾊﾞｰｼﾞｮﾝ情報");
  ASSERT_TRUE(box);
  EXPECT_EQ(ControlText(box, IDC_ABOUT_VERSION), L"Mojisheet Version 1.0.0");
  EXPECT_THAT(ControlText(box, IDC_ABOUT_COPYRIGHT), ::testing::StartsWith(L"Copyright"));
  // The build names no web page: the link opens the help.
  EXPECT_EQ(ControlText(box, IDC_ABOUT_URL), L"使い方の説明 (Mojiview.chm)");
  Screenshot();
  PostMessageW(GetDlgItem(box, IDC_ABOUT_URL), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  const auto isViewer = [](HWND h) { return WindowText(h) == L"Mojiview の使い方"; };
  EXPECT_TRUE(WaitUntil([&] { return std::ranges::any_of(TopLevelWindows(printer->Id()), isViewer); })) << "no help";
  ASSERT_TRUE(PressButton(box, IDOK));
}

TEST_F(PrinterScenario, ABadRangeIsRefusedWithTheFocusInTheStartField) {
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer);
  ASSERT_TRUE(main);
  SetControlText(View(main), IDC_START_CODE, L"E010");
  SetControlText(View(main), IDC_END_CODE, L"E00F");
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT));
  HWND box = WaitForMessageBox(printer->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowText(box), L"Mojisheet");
  EXPECT_EQ(MessageBoxText(box),
            L"開始ｺｰﾄﾞ、終了ｺｰﾄﾞは4桁の16進ｺｰﾄﾞで、開始ｺｰﾄﾞ≦終了ｺｰﾄﾞとなるように入力して下さい。");
  Screenshot();
  ASSERT_TRUE(PressButton(box, IDOK));
}

TEST_F(PrinterScenario, AnUnreadableFileIsPrintedWithAWarningAndACancelledDialogUndoesTheLink) {
  SetEudcLink(L"SystemDefaultEUDCFont", L"EUDC.TTE");
  const std::wstring missing = Folder().File(L"missing.tte").wstring();
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer, L"/f:" + missing);
  ASSERT_TRUE(main);
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT));
  HWND box = WaitForMessageBox(printer->Id());
  ASSERT_TRUE(box);
  EXPECT_THAT(MessageBoxText(box),
              ::testing::AllOf(::testing::StartsWith(L"'" + missing +
                                                     L"'\r\nこの外字のTTEﾌｧｲﾙは正しく読み込めない可能性があります。（ErrNo="),
                               ::testing::EndsWith(L"）")));
  EXPECT_EQ(EudcLink(L"ＭＳ 明朝"), std::optional<std::wstring>(missing)) << "the job links the file to the face";
  EXPECT_EQ(EudcLink(L"SystemDefaultEUDCFont"), std::optional<std::wstring>(L"EUDC.TTE"));
  Screenshot();
  ASSERT_TRUE(PressButton(box, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));  // else the closing box is found
  HWND dialog = WaitForOtherDialog(printer->Id(), main);
  ASSERT_TRUE(dialog) << "the job does not go on to the print dialog";
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return EudcLink(L"ＭＳ 明朝") == std::nullopt; })) << "the link stays after the cancel";
}

TEST_F(PrinterScenario, ALinkThatCannotBeMadeStopsTheJob) {
  // Without the key EUDC\932 no link can be made (it is never created by the programs).
  ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kEudcKey), ERROR_SUCCESS);
  struct RestoreKey {
    ~RestoreKey() { SetEudcLink(L"SystemDefaultEUDCFont", L"EUDC.TTE"); }
  } restore;
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer, L"/F:" + AddFixture("small.tte").wstring());
  ASSERT_TRUE(main);
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT));
  HWND box = WaitForMessageBox(printer->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), L"印刷指定した外字をﾌｫﾝﾄにﾘﾝｸできません。");
  Screenshot();
  ASSERT_TRUE(PressButton(box, IDOK));
  Sleep(300);
  EXPECT_EQ(TopLevelWindows(printer->Id()).size(), 1u) << "a print dialog came after the refusal";
}

// Prints E000-E0BF of the small fixture font (glyphs at E000, E001, E002, E004 and E00F)
// through the print dialog to a PostScript file, then checks the pages ghostscript makes.
TEST_F(PrinterScenario, PrintingARangeToAFileGivesItsPagesWithInkExactlyInTheCellsOfGlyphs) {
  SetEudcLink(L"SystemDefaultEUDCFont", L"EUDC.TTE");
  const std::filesystem::path font = AddFixture("small.tte");
  const std::filesystem::path output = Folder().File(L"table.ps");
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer, L"/F:" + font.wstring());
  ASSERT_TRUE(main);
  SetControlText(View(main), IDC_START_CODE, L"E000");
  SetControlText(View(main), IDC_END_CODE, L"E0BF");
  ASSERT_TRUE(PrintToFile(*printer, main, output, L"dialog"));
  ASSERT_TRUE(WaitUntil([&] { return EudcLink(L"MS Mincho") == std::nullopt && EudcLink(L"ＭＳ 明朝") == std::nullopt; }))
      << "the face's link was not undone";
  EXPECT_EQ(EudcLink(L"SystemDefaultEUDCFont"), std::optional<std::wstring>(L"EUDC.TTE"));

  const std::wstring pages = UnixPath(Folder().File(L"page%d.png"));
  const std::filesystem::path status = Folder().File(L"gs.status");
  ASSERT_EQ(RunUnixCommand(L"gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r100 -sOutputFile=" + pages + L" " +
                               UnixPath(output),
                           status, UnixPath(status)),
            std::optional<int>(0));
  EXPECT_TRUE(std::filesystem::exists(Folder().File(L"page2.png")));
  EXPECT_FALSE(std::filesystem::exists(Folder().File(L"page3.png"))) << "E000-E0BF is two pages";
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  for (int p = 1; p <= 2; ++p) {
    const std::filesystem::path png = Folder().File(L"page" + std::to_wstring(p) + L".png");
    const RgbImage page = ReadPng(png);
    ASSERT_TRUE(page.IsValid());
    CopyFileW(png.c_str(), (ScreenshotFolder() / (Name() + L"-page" + std::to_wstring(p) + L".png")).c_str(), FALSE);
    const PageScale scale = MeasureScale(page);
    EXPECT_NEAR(scale.x * 210, page.width, page.width * 0.01) << "the grid is not drawn across the sheet";
    EXPECT_NEAR(scale.y * 297, page.height, page.height * 0.01) << "the grid is not drawn down the sheet";
    EXPECT_GT(InkIn(page, scale, 9, 10, 201, 25), 0) << "no header on page " << p;
    for (int r = 0; r < 12; ++r) {
      const double top = 29 + 22 * r;
      EXPECT_GT(InkIn(page, scale, 10, top + 1, 24, top + 21), 0) << "no label in row " << r << " of page " << p;
      for (int c = 0; c < 8; ++c) {
        const double left = 25 + 22 * c;
        const int code = 0xE000 + 96 * (p - 1) + 8 * r + c;
        const bool glyph = code == 0xE000 || code == 0xE001 || code == 0xE002 || code == 0xE004 || code == 0xE00F;
        const int ink = InkIn(page, scale, left + 1, top + 1, left + 21, top + 21);
        const int glyphInk = InkIn(page, scale, left + 3, top + 7, left + 19, top + 20);
        EXPECT_EQ(ink > 0, glyph) << std::hex << code;
        EXPECT_EQ(glyphInk > 0, glyph) << std::hex << code << ": glyph";
      }
    }
  }
  CoUninitialize();
}

TEST_F(PrinterScenario, PreviewGrowsTheFrameTurnsPagesAndRemembersItsHeight) {
  const std::filesystem::path font = AddFixture("small.tte");
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer, L"/F:" + font.wstring());
  ASSERT_TRUE(main);
  const RECT fixed = WindowRect(main);
  SetControlText(View(main), IDC_END_CODE, L"E0BF");
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT_PREVIEW));
  ASSERT_TRUE(WaitUntil([&] { return Height(WindowRect(main)) == 500; })) << "not the first preview height";
  EXPECT_EQ(Width(WindowRect(main)), Width(fixed));
  HWND preview = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (preview = GetDlgItem(main, kViewId + 1)) != nullptr && IsWindowVisible(preview); }));
  std::map<int, ControlInfo> buttons;
  for (const ControlInfo& c : ReadControls(preview)) buttons[c.id] = c;
  ASSERT_EQ(buttons.size(), 10u);
  EXPECT_FALSE(buttons[0x7108].visible || buttons[0x7109].visible) << "scroll bars while the page fits";
  EXPECT_EQ(buttons[0x7100].text, L"印刷(&P)...");
  EXPECT_EQ(buttons[0x7106].text, L"閉じる(&C)");
  EXPECT_FALSE(buttons[0x7102].enabled) << "previous page on page 1";
  EXPECT_EQ(buttons[0x7107].text, L"1 / 2 ﾍﾟｰｼﾞ");
  Screenshot(L"page1", main);

  // The page number follows the keys, the two-page switch and the zoom.
  const auto pageNumber = [&](const wchar_t* text) {
    return WaitUntil([&] { return ControlText(preview, 0x7107) == text; }, 3000);
  };
  ASSERT_TRUE(SendKey(preview, VK_NEXT));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(preview, 0x7101)); })) << "not on the last page";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(preview, 0x7102)) != FALSE; }))
      << "previous page stays disabled on the last page";
  EXPECT_TRUE(pageNumber(L"2 / 2 ﾍﾟｰｼﾞ")) << ControlText(preview, 0x7107);
  ASSERT_TRUE(ClickControl(preview, 0x7103));  // two pages
  EXPECT_TRUE(pageNumber(L"1～2 / 2 ﾍﾟｰｼﾞ")) << ControlText(preview, 0x7107);
  ASSERT_TRUE(ClickControl(preview, 0x7104));  // zoom in
  Sleep(300);
  EXPECT_EQ(ControlText(preview, 0x7107), L"1～2 / 2 ﾍﾟｰｼﾞ");
  // Zoomed, the scroll bars run along the page area only, below the buttons.
  for (const ControlInfo& c : ReadControls(preview)) buttons[c.id] = c;
  EXPECT_TRUE(buttons[0x7108].visible && buttons[0x7109].visible) << "no scroll bars on zoomed pages";
  EXPECT_GE(buttons[0x7109].rect.top, buttons[0x7107].rect.bottom) << "the vertical bar runs beside the buttons";
  EXPECT_EQ(buttons[0x7109].rect.bottom, buttons[0x7108].rect.top) << "the bars do not meet at the page area's corner";
  Screenshot(L"zoomed", main);

  // The user makes it taller; Esc ends the preview and the height is kept.
  ASSERT_TRUE(SetWindowPos(main, nullptr, 0, 0, Width(fixed), 700, SWP_NOMOVE | SWP_NOZORDER));
  EXPECT_EQ(Height(WindowRect(main)), 700);
  ASSERT_TRUE(SendKey(preview, VK_ESCAPE));
  ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(main, kViewId + 1) == nullptr; }));
  EXPECT_EQ(Height(WindowRect(main)), Height(fixed));
  EXPECT_EQ(Setting(kPrintSection, L"CodePrintWindowPos_PreviewHeight"), L"700");

  // The next preview opens at the stored height; closing the frame only ends the preview.
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT_PREVIEW));
  ASSERT_TRUE(WaitUntil([&] { return Height(WindowRect(main)) == 700; }));
  // The frame grows before the preview window is made: close only what is shown.
  ASSERT_TRUE(WaitUntil([&] { return (preview = GetDlgItem(main, kViewId + 1)) != nullptr && IsWindowVisible(preview); }));
  ASSERT_TRUE(PostMessageW(main, WM_CLOSE, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(main, kViewId + 1) == nullptr; }));
  EXPECT_TRUE(printer->IsRunning());
  EXPECT_EQ(Height(WindowRect(main)), Height(fixed));
}

// The user's own link of the display face comes back after a preview, after WM_QUIT in a
// preview (how the updater ends every printer) and after a job killed with its print dialog
// up, which the next start repairs from the job's journal.
TEST_F(PrinterScenario, TheUsersOwnFaceLinkComesBackAfterAPreviewAQuitAndAKilledJob) {
  const std::wstring own = L"C:\\mine\\own.tte";
  SetEudcLink(L"ＭＳ 明朝", own);
  struct RemoveFaceLink {
    ~RemoveFaceLink() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kEudcKey, L"ＭＳ 明朝"); }
  } removeFaceLink;
  SetEudcLink(L"SystemDefaultEUDCFont", L"EUDC.TTE");
  const std::wstring font = AddFixture("small.tte").wstring();
  const auto face = [] { return EudcLink(L"ＭＳ 明朝").value_or(kMissing); };
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer, L"/F:" + font);
  ASSERT_TRUE(main);
  HWND preview = nullptr;
  const auto openPreview = [&] {
    return PostCommand(main, ID_FILE_PRINT_PREVIEW) &&
           WaitUntil([&] { return (preview = GetDlgItem(main, kViewId + 1)) != nullptr && IsWindowVisible(preview); });
  };
  ASSERT_TRUE(openPreview());
  EXPECT_EQ(face(), font) << "the preview draws through the face's link";
  Screenshot(L"", main);
  ASSERT_TRUE(SendKey(preview, VK_ESCAPE));
  EXPECT_TRUE(WaitUntil([&] { return face() == own; })) << face();

  ASSERT_TRUE(openPreview());
  ASSERT_TRUE(PostThreadMessageW(GetWindowThreadProcessId(main, nullptr), WM_QUIT, 0, 0));
  EXPECT_EQ(printer->WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0)) << "WM_QUIT in a preview";
  EXPECT_EQ(face(), own);

  main = StartPrinter(printer, L"/F:" + font);
  ASSERT_TRUE(main);
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT));
  ASSERT_TRUE(WaitForOtherDialog(printer->Id(), main)) << "no print dialog";
  EXPECT_EQ(face(), font);
  const DWORD killed = printer->Id();
  ASSERT_TRUE(printer->Terminate());
  EXPECT_EQ(face(), font) << "the killed job undid its link";
  ASSERT_TRUE(StartPrinter(printer));
  EXPECT_EQ(face(), own) << "the next start did not repair the link";
  EXPECT_THAT(ReadTextFile(Folder().File(L"Mojiview.log")).value_or(L""),
              ::testing::HasSubstr(L"EUDCリンク復元(PID=" + std::to_wstring(killed) + L":Target=ＭＳ 明朝:TTE=" + own + L")"));
}

// Printing with no printer installed: the preview says why and stores no height.
TEST_F(PrinterScenario, WithoutAPrinterThePreviewSaysWhyAndStoresNothing) {
  HKEY windows = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0,
                          KEY_ALL_ACCESS, &windows),
            ERROR_SUCCESS);
  wchar_t device[512] = {};
  DWORD size = sizeof device;
  const bool hadDevice = RegQueryValueExW(windows, L"Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device), &size) == ERROR_SUCCESS;
  ASSERT_TRUE(hadDevice) << "the test prefix has no default printer";
  ASSERT_EQ(RegDeleteValueW(windows, L"Device"), ERROR_SUCCESS);
  struct RestoreDevice {
    HKEY key;
    const wchar_t* value;
    ~RestoreDevice() {
      RegSetValueExW(key, L"Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
      RegCloseKey(key);
    }
  } restore{windows, device};
  const std::optional<std::wstring> faceBefore = EudcLink(L"ＭＳ 明朝");
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer, L"/F:" + AddFixture("small.tte").wstring());
  ASSERT_TRUE(main);
  const RECT fixed = WindowRect(main);
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT_PREVIEW));
  EXPECT_EQ(AnswerMessage(*printer),
            L"ﾌﾟﾘﾝﾀがｲﾝｽﾄｰﾙされていないため、印刷ﾌﾟﾚﾋﾞｭｰを表示できません。\r\nﾌﾟﾘﾝﾀを追加してから、もう一度実行して下さい。");
  EXPECT_EQ(WindowRect(main), fixed);
  EXPECT_TRUE(IsWindowVisible(View(main))) << "the range bar is hidden";
  EXPECT_EQ(Setting(kPrintSection, L"CodePrintWindowPos_PreviewHeight"), kMissing);
  EXPECT_EQ(EudcLink(L"ＭＳ 明朝"), faceBefore) << "the link stays";
}

// The printer set-up dialog of the system with the test printer: Cancel changes nothing,
// OK with landscape paper carries over to the next print job.
TEST_F(PrinterScenario, PrinterSetupShowsTheTestPrinterAndItsChoiceLastsForTheNextJob) {
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer, L"/F:" + AddFixture("small.tte").wstring());
  ASSERT_TRUE(main);
  SetControlText(View(main), IDC_END_CODE, L"E005");
  constexpr int kPrinterName = 0x470, kLandscape = 0x421;  // the set-up dialog's cmb1 and rad2
  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT_SETUP));
  HWND setup = WaitForOtherDialog(printer->Id(), main);
  ASSERT_TRUE(setup) << "no printer set-up dialog";
  EXPECT_EQ(ControlText(setup, kPrinterName), L"TestPS");
  Screenshot(L"dialog");
  ASSERT_TRUE(PressButton(setup, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return TopLevelWindows(printer->Id()).size() == 1u; })) << "the dialog stays";
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(ControlText(View(main), IDC_END_CODE), L"E005");

  ASSERT_TRUE(PostCommand(main, ID_FILE_PRINT_SETUP));
  ASSERT_TRUE(WaitUntil([&] { return (setup = WaitForOtherDialog(printer->Id(), main)) != nullptr; }));
  ASSERT_TRUE(ClickControl(setup, kLandscape));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(GetDlgItem(setup, kLandscape), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  ASSERT_TRUE(PressButton(setup, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(setup); }));

  const std::filesystem::path output = Folder().File(L"landscape.ps");
  ASSERT_TRUE(PrintToFile(*printer, main, output));
  EXPECT_THAT(ReadTextFile(output).value_or(L""), ::testing::HasSubstr(L"%%Orientation: Landscape"))
      << "the job forgot the set-up's paper orientation";
}

// The browser starts from the printer's own folder; without it there, message 2050 names
// the command line.
TEST_F(PrinterScenario, TheBrowserStartsFromTheProgramFolderOrMessage2050NamesItsCommandLine) {
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer);
  ASSERT_TRUE(main);
  const std::filesystem::path browserFile = Folder().File(kBrowserProgram);
  ASSERT_TRUE(PostCommand(main, ID_BROWSER_LAUNCH));
  HWND browser = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND h : WindowsWithProperty(kBrowserTag)) browser = ProcessImagePath(ProcessOf(h)) == browserFile ? h : browser;
    return browser != nullptr;
  })) << "no browser from the program folder";
  CTargetProcess& started = Adopt(ProcessOf(browser));
  EXPECT_TRUE(IsWindowVisible(browser));
  EXPECT_EQ(WindowText(browser), kEmptyBrowserTitle);
  Screenshot(L"browser");
  ASSERT_TRUE(PostCommand(browser, ID_APP_EXIT));
  ASSERT_EQ(started.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0));

  ASSERT_TRUE(std::filesystem::remove(browserFile));
  ASSERT_TRUE(PostCommand(main, ID_BROWSER_LAUNCH));
  EXPECT_EQ(AnswerMessage(*printer), L"'\"" + browserFile.wstring() + L"\"'\r\nﾌﾟﾛｸﾞﾗﾑの起動に失敗しました。");
  EXPECT_EQ(TopLevelWindows(printer->Id()).size(), 1u);
}

// Help opens the browser's help file, only while the printer's main window is in front;
// a missing file is named.
TEST_F(PrinterScenario, HelpOpensTheBrowsersHelpForTheMainWindowInFrontAndNamesAMissingFile) {
  const std::filesystem::path helpFile = Folder().File(L"Mojiview.chm");
  ASSERT_TRUE(std::filesystem::exists(helpFile)) << "the build did not put the help file";
  CTargetProcess* printer = nullptr;
  HWND main = StartPrinter(printer);
  ASSERT_TRUE(main);
  ASSERT_TRUE(SendKey(main, VK_F1));
  HWND viewer = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND h : TopLevelWindows(printer->Id())) viewer = WindowText(h) == L"Mojiview の使い方" ? h : viewer;
    return viewer != nullptr;
  })) << "no help window";
  Screenshot(L"viewer");
  ASSERT_TRUE(PostCommand(main, ID_APP_EXIT));
  EXPECT_EQ(printer->WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0)) << "the help window keeps it running";

  std::filesystem::remove(helpFile);
  main = StartPrinter(printer);
  ASSERT_TRUE(main);
  // Another window in front: the command does nothing.
  struct OtherWindow {
    HWND handle = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    ~OtherWindow() { DestroyWindow(handle); }
  } other;
  ASSERT_TRUE(BringToForeground(other.handle));
  ASSERT_TRUE(PostCommand(main, ID_HELP));
  Sleep(500);
  EXPECT_EQ(FindMessageBox(printer->Id()), nullptr) << "help while another window is in front";

  ASSERT_TRUE(SendKey(main, VK_F1));
  EXPECT_EQ(AnswerMessage(*printer), L"'" + helpFile.wstring() + L"'\r\nﾍﾙﾌﾟﾌｧｲﾙが見つかりません。");
}

}  // namespace
}  // namespace moji::gui
