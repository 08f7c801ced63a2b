// The gaiji grid on form 101: rows, keyboard and mouse, the status line, attaching EUF
// files through a temporary copy, glyph reads and their log lines, and what a row looks
// like when drawn (pixels checked in a memory DC, and a screenshot of the real window).
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BrowserGaijiListCtrl.h"
#include "ClipboardGlyph.h"
#include "EufFile.h"
#include "FormView.h"
#include "FukidasiDlg.h"
#include "GlyphDataSource.h"
#include "GlyphkeeperRecords.h"
#include "Log.h"
#include "Message.h"
#include "MessagePrompter.h"
#include "ModalDriver.h"
#include "MojiviewRes.h"
#include "PngWriter.h"
#include "ScreenCapture.h"
#include "TestPaths.h"
#include "UiTestSupport.h"
#include "YomiStore.h"
#include "win32/Win32TestSupport.h"

namespace moji {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::Fixture;
using test::KeeperRecord;

class TestGrid : public CBrowserGaijiListCtrl {
 public:
  int deletes = 0;

 protected:
  void OnDeleteKey() override { ++deletes; }
};

// Every message box shown while alive is recorded and answered with OK.
struct MessageRecorder {
  struct Box {
    std::wstring text;
    UINT type;
  };
  std::vector<Box> boxes;
  MessageRecorder() {
    SetMessageBoxFunction([this](HWND, const std::wstring& text, const std::wstring&, UINT type) {
      boxes.push_back({text, type});
      return IDOK;
    });
  }
  ~MessageRecorder() { SetMessageBoxFunction(nullptr); }
};

// TMP names `folder` while alive.
class TmpVariable {
 public:
  explicit TmpVariable(const std::wstring& folder) {
    wchar_t old[MAX_PATH * 2] = {};
    m_had = GetEnvironmentVariableW(L"TMP", old, MAX_PATH * 2) > 0;
    m_old = old;
    SetEnvironmentVariableW(L"TMP", folder.c_str());
  }
  ~TmpVariable() { SetEnvironmentVariableW(L"TMP", m_had ? m_old.c_str() : nullptr); }

 private:
  bool m_had = false;
  std::wstring m_old;
};

// The processing log of the test, read back (UTF-8).
class LogCapture {
 public:
  explicit LogCapture(fs::path path) : m_path(std::move(path)) { CLog::Open(m_path); }
  ~LogCapture() { CLog::Close(); }
  std::string Text() const { return test::ReadBytes(m_path); }

 private:
  fs::path m_path;
};

std::string Hex4(std::uint64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%4.4X", static_cast<unsigned>(value));
  return text;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<fs::path> TempFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error))
    if (entry.path().filename().wstring().rfind(L"_Gvw_", 0) == 0) files.push_back(entry.path());
  return files;
}

// A grid on form 101 in a top-level window, the list box a row of cells wide and 500 high.
class GridHost {
 public:
  GridHost() {
    host.CreateEx(0, nullptr, L"Mojiview grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 680, 600, nullptr,
                  nullptr);
    form.CreateView(host.Handle());
    MoveWindow(form.Handle(), 0, 0, 660, 560, FALSE);
    list = form.Item(IDC_GAIJI_LIST);
    status = form.Item(IDC_STATUS_EDIT);
    MoveWindow(list, 0, 0, 640, 500, FALSE);
    // As wide as the browser makes it, so that the 8 columns fill it with cells of 69.
    RECT client{};
    GetClientRect(list, &client);
    MoveWindow(list, 0, 0, kGridRowWidth + GetSystemMetrics(SM_CXVSCROLL) + 640 - client.right, 500, FALSE);
    MoveWindow(status, 4, 506, 632, 20, FALSE);
    grid.SubclassDlgItem(IDC_GAIJI_LIST, form.Handle());
    ShowWindow(host.Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(host.Handle());
    grid.InitRows(status);
    test::Pump();
  }

  std::wstring Status() const { return TextOf(status); }
  RECT Row(int row) const {
    RECT rect{};
    grid.GetRowRect(row, rect);
    return rect;
  }
  // Posts a mouse message at client (x, y) and processes it.
  void Mouse(UINT msg, int x, int y) {
    PostMessageW(list, msg, msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    test::Pump();
  }
  void Key(UINT key) {
    PostMessageW(list, WM_KEYDOWN, key, 1);
    PostMessageW(list, WM_KEYUP, key, 0xC0000001);
    test::Pump();
  }

  CWindow host;
  CFormView form{IDD_GLYPHVIEW_FORM};
  TestGrid grid;
  HWND list = nullptr;
  HWND status = nullptr;
};

// A row drawn by the grid (WM_DRAWITEM through the form) into a white 32-bit memory DC.
class RowImage {
 public:
  RowImage(GridHost& host, int row, UINT state, UINT action = ODA_DRAWENTIRE, COLORREF back = RGB(255, 255, 255),
           int width = 600)
      : m_width(width) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -kGridRowHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    PatBlt(memory, 0, 0, width, kGridRowHeight, WHITENESS);
    SetBkColor(memory, back);
    DRAWITEMSTRUCT item{ODT_LISTBOX, IDC_GAIJI_LIST, static_cast<UINT>(row), action, state, host.list, memory,
                        RECT{0, 0, width, kGridRowHeight}, 0};
    SendMessageW(host.form.Handle(), WM_DRAWITEM, IDC_GAIJI_LIST, reinterpret_cast<LPARAM>(&item));
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    m_pixels.assign(pixels, pixels + width * kGridRowHeight);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
  }
  COLORREF At(int x, int y) const {
    const std::uint32_t p = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Ink (black) pixels in the 64 x 64 glyph area of a column.
  int InkIn(int column) const {
    int ink = 0;
    for (int y = 0; y < kGridGlyphSize; ++y)
      for (int x = 0; x < kGridGlyphSize; ++x) ink += At(47 + 69 * (column - 1) + x, 2 + y) == RGB(0, 0, 0);
    return ink;
  }

 private:
  int m_width;
  std::vector<std::uint32_t> m_pixels;
};

bool BitIsInk(const EufGlyph& glyph, int x, int y) {
  const int stride = glyph.width / 8;
  return ((glyph.bits[static_cast<size_t>(y * stride + x / 8)] >> (7 - x % 8)) & 1) == 0;
}

EufGlyph FixtureGlyph(const std::string& file, int code) {
  CEufFile euf;
  EufGlyph glyph;
  if (euf.Open(Fixture(file), CBinaryFile::Access::Read) == 0) euf.ReadGlyph(code, glyph);
  return glyph;
}

// A glyph stretched to 64 x 64 by GDI on its own, black ink on white.
std::vector<COLORREF> StretchedReference(const EufGlyph& glyph) {
  HDC screen = GetDC(nullptr);
  HDC target = CreateCompatibleDC(screen);
  HDC source = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 64;
  info.bmiHeader.biHeight = -64;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HBITMAP mono = CreateBitmap(glyph.width, glyph.height, 1, 1, glyph.bits.data());
  HGDIOBJ oldTarget = SelectObject(target, dib);
  HGDIOBJ oldSource = SelectObject(source, mono);
  SetTextColor(target, RGB(0, 0, 0));
  SetBkColor(target, RGB(255, 255, 255));
  StretchBlt(target, 0, 0, 64, 64, source, 0, 0, glyph.width, glyph.height, SRCCOPY);
  GdiFlush();
  std::vector<COLORREF> pixels;
  for (int i = 0; i < 64 * 64; ++i) {
    const std::uint32_t p = static_cast<const std::uint32_t*>(bits)[i];
    pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  SelectObject(source, oldSource);
  SelectObject(target, oldTarget);
  DeleteObject(mono);
  DeleteObject(dib);
  DeleteDC(source);
  DeleteDC(target);
  return pixels;
}

TEST(GaijiListCtrl, RowsKeysAndStatusLine) {
  GridHost h;
  EXPECT_EQ(SendMessageW(h.list, LB_GETCOUNT, 0, 0), 800);
  EXPECT_EQ(SendMessageW(h.list, LB_GETITEMHEIGHT, 0, 0), 69);
  EXPECT_EQ(SendMessageW(h.list, LB_GETITEMHEIGHT, 799, 0), 69);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 0);
  EXPECT_EQ(h.Status(), L"UNICODE=[E000] S-JIS=[F040] 外字数=[-1]");  // nothing attached yet

  // Right on column 8 of row 5 wraps to column 1 of row 5; Left wraps back.
  ASSERT_TRUE(h.grid.SelectCode(0xE000 + 5 * 8 + 7));
  EXPECT_EQ(h.grid.GetSelectedIndex(), 47);
  h.Key(VK_RIGHT);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 40);
  EXPECT_EQ(h.Status(), L"UNICODE=[E028] S-JIS=[F068] 外字数=[-1]");
  h.Key(VK_LEFT);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 47);
  h.Key(VK_LEFT);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 46);
  // Up and Down move the row; the column stays and the status line follows.
  h.Key(VK_DOWN);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 54);
  EXPECT_EQ(h.Status(), L"UNICODE=[E036] S-JIS=[F076] 外字数=[-1]");
  h.Key(VK_HOME);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 6);
  h.Key(VK_END);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 6398);
  EXPECT_EQ(h.Status(), L"UNICODE=[F8FE] S-JIS=[----] 外字数=[-1]");

  // Delete goes to OnDeleteKey only; Space changes nothing.
  h.Key(VK_DELETE);
  h.Key(VK_SPACE);
  EXPECT_EQ(h.grid.deletes, 1);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 6398);

  // Codes outside the gaiji space are refused and change nothing.
  EXPECT_FALSE(h.grid.SelectCode(0xDFFF));
  EXPECT_FALSE(h.grid.SelectCode(0xF900));
  EXPECT_EQ(h.grid.GetSelectedIndex(), 6398);
  // The last code with a Shift-JIS form, and the first without.
  ASSERT_TRUE(h.grid.SelectCode(0xE757));
  EXPECT_EQ(h.Status(), L"UNICODE=[E757] S-JIS=[F9FC] 外字数=[-1]");
  ASSERT_TRUE(h.grid.SelectCode(0xE758));
  EXPECT_EQ(h.Status(), L"UNICODE=[E758] S-JIS=[----] 外字数=[-1]");
}

TEST(GaijiListCtrl, ClicksChooseTheColumnUnderThePointer) {
  GridHost h;
  const RECT row2 = h.Row(2);
  const int y = row2.top + 30;
  h.Mouse(WM_LBUTTONDOWN, 10, y);  // code column: column 1
  h.Mouse(WM_LBUTTONUP, 10, y);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 16);
  h.Mouse(WM_LBUTTONDOWN, 44 + 69 * 3 + 5, y);  // fourth cell
  h.Mouse(WM_LBUTTONUP, 44 + 69 * 3 + 5, y);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 19);
  const RECT row4 = h.Row(4);
  h.Mouse(WM_LBUTTONDOWN, 630, row4.top + 5);  // right of the last cell: column 8
  h.Mouse(WM_LBUTTONUP, 630, row4.top + 5);
  EXPECT_EQ(h.grid.GetSelectedIndex(), 39);
  EXPECT_EQ(h.Status(), L"UNICODE=[E027] S-JIS=[F067] 外字数=[-1]");

  // The right button selects the cell under the pointer at once.
  const RECT row1 = h.Row(1);
  PostMessageW(h.list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(44 + 69 * 5 + 10, row1.top + 20));
  test::Pump();
  EXPECT_EQ(h.grid.GetSelectedIndex(), 13);
  EXPECT_EQ(h.Status(), L"UNICODE=[E00D] S-JIS=[F04D] 外字数=[-1]");
}

TEST(GaijiListCtrl, ColumnChangeRepaintsOnlyTheFrames) {
  GridHost h;
  ASSERT_TRUE(h.grid.SelectCode(0xE000 + 8 * 3 + 2));  // row 3, column 3
  test::Pump();
  UpdateWindow(h.list);
  ValidateRect(h.list, nullptr);
  MSG msg{h.list, WM_KEYDOWN, VK_RIGHT, 1, 0, {}};
  EXPECT_TRUE(CMessageLoop::PreTranslate(msg));  // consumed, nothing dispatched yet
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetUpdateRgn(h.list, update, FALSE), ERROR);
  const RECT row = h.Row(3);
  auto dirty = [&](int x, int y) { return PtInRegion(update, x, y) != FALSE; };
  for (int column = 1; column <= 8; ++column) {
    const int left = row.left + 44 + 69 * (column - 1);
    EXPECT_TRUE(dirty(left + 2, row.top + 30)) << column;    // left frame line
    EXPECT_TRUE(dirty(left + 67, row.top + 30)) << column;   // right frame line
    EXPECT_TRUE(dirty(left + 30, row.top + 1)) << column;    // top frame line
    EXPECT_TRUE(dirty(left + 30, row.top + 66)) << column;   // bottom frame line
    EXPECT_FALSE(dirty(left + 3, row.top + 2)) << column;    // the glyph area stays
    EXPECT_FALSE(dirty(left + 66, row.top + 65)) << column;
  }
  EXPECT_FALSE(dirty(row.left + 10, row.top + 30));  // code column
  EXPECT_FALSE(dirty(100, h.Row(2).top + 30));       // other rows
  EXPECT_FALSE(dirty(100, h.Row(4).top + 30));
  DeleteObject(update);
  test::Pump();
  EXPECT_EQ(h.grid.GetSelectedIndex(), 8 * 3 + 3);
}

TEST(GaijiListCtrl, AttachShowsGlyphsAndTheStatusLine) {
  test::ScratchFolder scratch(L"grid_attach");
  TmpVariable tmp(scratch.Path().wstring());
  MessageRecorder messages;
  LogCapture log(scratch / L"Mojiview.log");
  GridHost h;
  ASSERT_TRUE(h.grid.SelectCode(0xE001));

  ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid64.euf"), 12));
  EXPECT_TRUE(messages.boxes.empty());
  EXPECT_EQ(h.grid.GetSelectedIndex(), 1);  // attaching keeps the selection
  EXPECT_EQ(h.Status(), L"UNICODE=[E001] S-JIS=[F041] 外字数=[12]");
  EXPECT_TRUE(h.grid.HasGlyph());
  EXPECT_EQ(h.grid.ManagementSize().cx, 64);
  EXPECT_EQ(h.grid.ManagementSize().cy, 64);
  for (int index : {0, 1, 2, 0x123, 0x757, 0x758, 6399}) EXPECT_TRUE(h.grid.HasGlyphAt(index)) << index;
  for (int index : {-1, 3, 0x124, 6398, 6400}) EXPECT_FALSE(h.grid.HasGlyphAt(index)) << index;

  int width = -1, height = -1;
  const auto bits = h.grid.ReadGlyph(0xE123, width, height);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 64);
  EXPECT_EQ(bits, FixtureGlyph("valid64.euf", 0xE123).bits);
  EXPECT_TRUE(h.grid.ReadGlyph(0xE003, width, height).empty());
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_TRUE(h.grid.ReadGlyph(0xDFFF, width, height).empty());

  ASSERT_TRUE(h.grid.SelectCode(0xE003));
  EXPECT_FALSE(h.grid.HasGlyph());

  // Readings of the code follow the counts.
  const fs::path shown = scratch / L"font.tte";
  std::string records(2 * kYomiRecordSize, '\0');
  MakeYomiRecord(reinterpret_cast<std::uint8_t*>(records.data()), 0xE001, u"あ");
  MakeYomiRecord(reinterpret_cast<std::uint8_t*>(records.data()) + kYomiRecordSize, 0xE001, u"い");
  test::WriteBytes(YomiFilePath(shown), records);
  CMessagePrompter prompter(h.host.Handle());
  CYomiStore yomi(prompter, [] { return 6400; }, true);
  ASSERT_TRUE(yomi.LoadReadings(shown));
  h.grid.SetYomiStore(&yomi);
  ASSERT_TRUE(h.grid.SelectCode(0xE001));
  EXPECT_EQ(h.Status(), L"UNICODE=[E001] S-JIS=[F041] 外字数=[12] 読み=[あ,い]");
  h.grid.SetYomiStore(nullptr);

  // A file whose first code has no glyph: the size comes from the management block.
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("nofirst64.euf"), 2));
  EXPECT_FALSE(h.grid.HasGlyphAt(0));
  EXPECT_TRUE(h.grid.ReadGlyph(0xE000, width, height).empty());
  EXPECT_TRUE(h.grid.HasGlyphAt(5));
  EXPECT_EQ(h.grid.ManagementSize().cx, 64);
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid48.euf"), 3));
  EXPECT_EQ(h.grid.ManagementSize().cx, 48);
  EXPECT_EQ(h.grid.ManagementSize().cy, 48);
  EXPECT_EQ(Count(log.Text(), "AbsAddr"), 0u);  // empty cells are no fault
}

TEST(GaijiListCtrl, TemporaryCopyIsClaimedAndAlwaysDeleted) {
  test::ScratchFolder scratch(L"grid_temp");
  TmpVariable tmp(scratch.Path().wstring());
  MessageRecorder messages;
  LogCapture log(scratch / L"Mojiview.log");
  // A copy that another browser holds open is left alone; one that nobody holds (its browser
  // was killed) is removed when a name is claimed.
  test::WriteBytes(scratch / L"_Gvw_0", "keep");
  test::WriteBytes(scratch / L"_Gvw_12", "stale");
  test::WriteBytes(scratch / L"_Gvw_x", "not a copy");
  HANDLE held = CreateFileW((scratch / L"_Gvw_0").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  fs::path first;
  {
    GridHost h;
    ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid64.euf"), 7));
    first = h.grid.TempPath();
    EXPECT_EQ(first, scratch / L"_Gvw_1");
    EXPECT_EQ(test::ReadBytes(first), test::ReadBytes(Fixture("valid64.euf")));
    EXPECT_EQ(test::ReadBytes(scratch / L"_Gvw_0"), "keep");
    EXPECT_FALSE(fs::exists(scratch / L"_Gvw_12"));
    EXPECT_TRUE(fs::exists(scratch / L"_Gvw_x"));
    // Open and denying writes while attached.
    HANDLE writer = CreateFileW(first.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

    // A new attach replaces the copy.
    ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid48.euf"), 3));
    EXPECT_FALSE(fs::exists(first));
    const fs::path second = h.grid.TempPath();
    EXPECT_TRUE(fs::exists(second));

    h.grid.ReleaseEuf();
    EXPECT_FALSE(fs::exists(second));
    EXPECT_FALSE(h.grid.IsAttached());
    EXPECT_FALSE(h.grid.HasGlyphAt(0));
    EXPECT_TRUE(h.grid.TempPath().empty());

    // Attaching failures after the copy leave no copy either.
    for (const char* name : {"err2017_signature.euf", "err2017_101bytes.euf", "err2018_p5.euf", "err2019_table.euf"}) {
      EXPECT_FALSE(h.grid.AttachEuf(Fixture(name), 1)) << name;
      EXPECT_FALSE(h.grid.IsAttached());
      EXPECT_EQ(TempFiles(scratch.Path()).size(), 2u) << name;  // _Gvw_0 of someone else, _Gvw_x
    }
    ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid64.euf"), 7));
    first = h.grid.TempPath();
  }
  EXPECT_FALSE(fs::exists(first));  // the destructor deleted it
  EXPECT_EQ(test::ReadBytes(scratch / L"_Gvw_0"), "keep");
  CloseHandle(held);
  const std::string text = log.Text();
  EXPECT_NE(text.find("RegistEUF=" + Fixture("valid64.euf").string() + "\n"), std::string::npos);
  EXPECT_NE(text.find("TEMP=" + (scratch.Path() / "_Gvw_1").string() + "\n"), std::string::npos);
  EXPECT_NE(text.find("Delete TMP=" + (scratch.Path() / "_Gvw_1").string() + "\n"), std::string::npos);
  EXPECT_EQ(Count(text, "Delete TMP="), Count(text, "TEMP="));  // every copy went again

  // Without a TMP folder the copy goes to the program folder's TEMP\.
  TmpVariable missing(L"Z:\\no\\such\\folder");
  fs::create_directories(scratch / L"TEMP");
  GridHost h;
  h.grid.SetProgramFolder(scratch.Folder());
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid64.euf"), 7));
  EXPECT_EQ(h.grid.TempPath(), scratch / L"TEMP" / L"_Gvw_0");
  h.grid.ReleaseEuf();
  EXPECT_TRUE(fs::is_empty(scratch / L"TEMP"));
}

TEST(GaijiListCtrl, AttachFailuresShowTheirMessages) {
  test::ScratchFolder scratch(L"grid_fail");
  TmpVariable tmp(scratch.Path().wstring());
  MessageRecorder messages;
  LogCapture log(scratch / L"Mojiview.log");
  GridHost h;
  const std::wstring temp = (scratch.Path() / L"_Gvw_0").wstring();
  const std::string tempNarrow = (scratch.Path() / L"_Gvw_0").string();
  const struct {
    const char* file;
    const wchar_t* text;
  } cases[] = {
      {"err2017_signature.euf", L"ﾌｧｲﾙをEUFﾌｧｲﾙとして処理できません。"},
      {"err2018_plen.euf", L"ﾌｧｲﾙのﾋﾞｯﾄﾏｯﾌﾟ管理ﾃｰﾌﾞﾙが読み込めません。"},
      {"err2019_lastbelowfirst.euf", L"ﾌｧｲﾙの内部異常のため読み込めません。"},
  };
  for (const auto& c : cases) {
    messages.boxes.clear();
    EXPECT_FALSE(h.grid.AttachEuf(Fixture(c.file), 5)) << c.file;
    ASSERT_EQ(messages.boxes.size(), 1u) << c.file;
    // The box names the EUF opened; the log names the copy that was read (below).
    EXPECT_EQ(messages.boxes[0].text, L"'" + Fixture(c.file).wstring() + L"'\r\n" + c.text);
    EXPECT_EQ(messages.boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(h.Status(), L"UNICODE=[E000] S-JIS=[F040] 外字数=[5]");
    EXPECT_FALSE(h.grid.HasGlyph());
  }

  // A copy that fails keeps the glyphs that were shown.
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid64.euf"), 7));
  const fs::path shown = h.grid.TempPath();
  messages.boxes.clear();
  const fs::path missing = scratch / L"missing.euf";
  EXPECT_FALSE(h.grid.AttachEuf(missing, 9));
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, L"'" + missing.wstring() + L"'\r\n上記のEUFﾌｧｲﾙをﾃﾝﾎﾟﾗﾘへｺﾋﾟｰできません。");
  EXPECT_TRUE(h.grid.IsAttached());
  EXPECT_EQ(h.grid.TempPath(), shown);
  EXPECT_TRUE(h.grid.HasGlyphAt(0));
  int width = 0, height = 0;
  EXPECT_EQ(h.grid.ReadGlyph(0xE000, width, height), FixtureGlyph("valid64.euf", 0xE000).bits);
  EXPECT_EQ(TempFiles(scratch.Path()), std::vector<fs::path>{shown});  // the claimed name went again

  const std::string text = log.Text();
  EXPECT_NE(text.find("'" + tempNarrow + "'\r\nﾌｧｲﾙをEUFﾌｧｲﾙとして処理できません。\n"), std::string::npos) << text;
  EXPECT_NE(text.find("上記のEUFﾌｧｲﾙをﾃﾝﾎﾟﾗﾘへｺﾋﾟｰできません。\n"), std::string::npos);
  EXPECT_NE(text.find("ﾌｧｲﾙｺﾋﾟｰに失敗しました。"), std::string::npos);  // the copy's own line
}

TEST(GaijiListCtrl, ReadFaultsAreLoggedAndLeaveTheCellEmpty) {
  test::ScratchFolder scratch(L"grid_faults");
  TmpVariable tmp(scratch.Path().wstring());
  MessageRecorder messages;
  LogCapture log(scratch / L"Mojiview.log");
  GridHost h;
  ASSERT_TRUE(h.grid.SelectCode(0xF000));  // the faulty cells are not painted
  int width = 0, height = 0;

  CEufFile faults;
  ASSERT_EQ(faults.Open(Fixture("faults64.euf"), CBinaryFile::Access::Read), 0);
  const std::uint64_t size = fs::file_size(Fixture("faults64.euf"));
  const std::uint64_t anchor = faults.Anchor();
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("faults64.euf"), 7));
  EXPECT_TRUE(h.grid.ReadGlyph(0xE001, width, height).empty());
  EXPECT_TRUE(h.grid.ReadGlyph(0xE002, width, height).empty());
  EXPECT_TRUE(h.grid.ReadGlyph(0xF8FF, width, height).empty());
  EXPECT_EQ(width, 0);
  EXPECT_FALSE(h.grid.ReadGlyph(0xE000, width, height).empty());  // the others are unaffected

  // A record whose bits would exceed 8192 bytes.
  CEufFile big;
  ASSERT_EQ(big.Open(Fixture("second300.euf"), CBinaryFile::Access::Read), 0);
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("second300.euf"), 2));
  EXPECT_TRUE(h.grid.ReadGlyph(0xE001, width, height).empty());

  // Bits cut off by the end of the file after the size check passed.
  const std::string valid = test::ReadBytes(Fixture("valid64.euf"));
  test::WriteBytes(scratch / L"short.euf", valid.substr(0, valid.size() - 4));
  CEufFile cut;
  ASSERT_EQ(cut.Open(Fixture("valid64.euf"), CBinaryFile::Access::Read), 0);
  ASSERT_TRUE(h.grid.AttachEuf(scratch / L"short.euf", 7));
  EXPECT_TRUE(h.grid.ReadGlyph(0xF8FF, width, height).empty());

  const std::string text = log.Text();
  const std::uint64_t e1 = size + 10 - anchor, e2 = size - 4 - anchor, e3 = faults.Entry(0xF8FF);
  EXPECT_NE(text.find("ﾋﾞｯﾄﾃﾞｰﾀﾍｯﾀﾞ位置異常(AbsAddr=" + Hex4(e1) + ":pos=" + Hex4(size + 10) + ")\n"),
            std::string::npos) << text;
  EXPECT_NE(text.find("ﾋﾞｯﾄﾃﾞｰﾀﾍｯﾀﾞ読込異常(AbsAddr=" + Hex4(e2) + ":pos=" + Hex4(size - 4) + ")\n"),
            std::string::npos);
  EXPECT_NE(text.find("ﾋﾞｯﾄﾃﾞｰﾀ読込位置異常(AbsAddr=" + Hex4(e3) + ":pos=" + Hex4(anchor + e3 + 512) + ")\n"),
            std::string::npos);
  EXPECT_NE(text.find("ﾋﾞｯﾄﾃﾞｰﾀ読込ﾊﾞｯﾌｧ異常(AbsAddr=" + Hex4(big.Entry(0xE001)) + ":size=2BF2)\n"),
            std::string::npos);
  const std::uint64_t e4 = cut.Entry(0xF8FF);
  EXPECT_NE(text.find("ﾋﾞｯﾄﾃﾞｰﾀ読込異常(AbsAddr=" + Hex4(e4) + ":pos=" + Hex4(cut.Anchor() + e4 + 8) + ")\n"),
            std::string::npos);
  EXPECT_EQ(Count(text, "AbsAddr"), 5u);
}

TEST(GaijiListCtrl, DrawsRowsGlyphsFramesAndWaitText) {
  test::ScratchFolder scratch(L"grid_draw");
  TmpVariable tmp(scratch.Path().wstring());
  GridHost h;
  // Without a file: grid lines, code column and frame, no glyphs.
  {
    RowImage row(h, 1, ODS_SELECTED);
    EXPECT_EQ(row.At(5, 5), RGB(0xFF, 0xFF, 0xC0));  // header colour, pale yellow
    for (int k = 0; k <= 8; ++k) EXPECT_EQ(row.At(44 + 69 * k, 30), RGB(0xC0, 0xC0, 0xC0)) << k;
    // A row exactly as wide as the grid still shows column 8's closing line.
    RowImage exact(h, 1, 0, ODA_DRAWENTIRE, RGB(255, 255, 255), 44 + 8 * 69);
    EXPECT_EQ(exact.At(44 + 8 * 69 - 1, 30), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(row.At(300, 68), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(row.At(46, 1), RGB(0, 0, 255));  // selection frame of column 1
    EXPECT_EQ(row.At(46 + 65, 66), RGB(0, 0, 255));
    for (int column = 1; column <= 8; ++column) EXPECT_EQ(row.InkIn(column), 0);
    bool codeText = false;  // "E008" in black on the header colour
    for (int y = 0; y < 69; ++y)
      for (int x = 0; x < 44; ++x) codeText |= row.At(x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(codeText);
  }

  ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid64.euf"), 7));
  h.grid.SetHeaderColor(CGaijiListCtrl::kHeaderLinked);
  {
    // 64 x 64 glyphs land 1:1 at (47 + 69k, 2); cells without a glyph stay white.
    RowImage row(h, 0, 0);
    EXPECT_EQ(row.At(5, 5), RGB(0xFF, 0xE0, 0xE0));
    EXPECT_EQ(row.At(46, 1), RGB(255, 255, 255));  // not selected: no frame
    for (int k = 0; k < 8; ++k) {
      const EufGlyph glyph = FixtureGlyph("valid64.euf", 0xE000 + k);
      int wrong = 0;
      for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
          const bool ink = !glyph.bits.empty() && BitIsInk(glyph, x, y);
          wrong += row.At(47 + 69 * k + x, 2 + y) != (ink ? RGB(0, 0, 0) : RGB(255, 255, 255));
        }
      EXPECT_EQ(wrong, 0) << "cell " << k;
      EXPECT_EQ(row.At(47 + 69 * k - 1, 1), RGB(255, 255, 255)) << k;  // nothing outside
      EXPECT_EQ(row.At(47 + 69 * k + 64, 66), RGB(255, 255, 255)) << k;
    }
    EXPECT_GT(row.InkIn(1), 0);
    EXPECT_EQ(row.InkIn(4), 0);
  }
  // A selection change frames the selected row and erases the frame of the other one in
  // the background colour of the device.
  {
    RowImage selected(h, 0, ODS_SELECTED, ODA_SELECT, RGB(10, 20, 30));
    EXPECT_EQ(selected.At(46, 1), RGB(0, 0, 255));
    RowImage deselected(h, 0, 0, ODA_SELECT, RGB(10, 20, 30));
    EXPECT_EQ(deselected.At(46, 1), RGB(10, 20, 30));
    EXPECT_EQ(deselected.At(46 + 65, 66), RGB(10, 20, 30));
    EXPECT_EQ(deselected.At(46, 0), RGB(255, 255, 255));  // only the frame
  }

  // While the frame moves: "Wait a sec" in the first cell, no glyph read.
  bool moving = true;
  h.grid.SetSizeMovePredicate([&] { return moving; });
  {
    RowImage row(h, 0, 0);
    for (int column = 1; column <= 8; ++column) EXPECT_EQ(row.InkIn(column), 0);
    int grey = 0;
    for (int y = 2; y < 66; ++y)
      for (int x = 46; x < 112; ++x) grey += row.At(x, y) == RGB(0xC0, 0xC0, 0xC0);
    EXPECT_GT(grey, 20);
  }
  moving = false;

  // 48 x 48 glyphs are stretched to 64 x 64.
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid48.euf"), 3));
  RowImage row(h, 0, 0);
  const EufGlyph glyph = FixtureGlyph("valid48.euf", 0xE001);
  ASSERT_EQ(glyph.width, 48);
  int sourceInk = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) sourceInk += BitIsInk(glyph, x, y);
  const double ratio = static_cast<double>(row.InkIn(2)) / sourceInk;
  EXPECT_NEAR(ratio, 64.0 * 64.0 / (48.0 * 48.0), 0.1);
  // Pixel for pixel what GDI makes of the record's bits stretched to 64 x 64 at the cell.
  const std::vector<COLORREF> reference = StretchedReference(glyph);
  int wrong = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) wrong += row.At(47 + 69 + x, 2 + y) != reference[static_cast<size_t>(y * 64 + x)];
  EXPECT_EQ(wrong, 0);
}

TEST(GaijiListCtrl, DoubleClickJumpsOrAsksForTheGlyphEditor) {
  test::ScratchFolder scratch(L"grid_dblclk");
  TmpVariable tmp(scratch.Path().wstring());
  GridHost h;
  std::vector<std::u16string> requests;
  h.grid.SetGlyphEditorRequest([&](const std::u16string& hex) { requests.push_back(hex); });

  ASSERT_TRUE(h.grid.SelectCode(0xE120));
  RECT row = h.Row(GridRowOfCode(0xE120));
  const int x = 44 + 69 * 3 + 30, y = row.top + 30;
  h.Mouse(WM_LBUTTONDOWN, x, y);
  h.Mouse(WM_LBUTTONUP, x, y);
  h.Mouse(WM_LBUTTONDBLCLK, x, y);
  h.Mouse(WM_LBUTTONUP, x, y);
  EXPECT_EQ(requests, std::vector<std::u16string>{u"E123"});

  // On the code column: the jump dialog, driven to F041 as S-JIS, selects U+E001.
  std::wstring caption;
  test::ModalDriver driver(L"#32770", [&caption](HWND dialog) {
    wchar_t text[64] = {};
    GetWindowTextW(dialog, text, 64);
    caption = text;
    SetDlgItemTextW(dialog, IDC_JUMP_CODE, L"F041");
    SendMessageW(GetDlgItem(dialog, IDC_JUMP_SJIS), BM_CLICK, 0, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  });
  h.Mouse(WM_LBUTTONDBLCLK, 10, y);
  h.Mouse(WM_LBUTTONUP, 10, y);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(caption, L"指定文字ｺｰﾄﾞへｼﾞｬﾝﾌﾟ");
  EXPECT_EQ(h.grid.GetSelectedIndex(), 1);
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_EQ(h.Status(), L"UNICODE=[E001] S-JIS=[F041] 外字数=[-1]");
}

// Records the popup menus its window is asked to initialise.
class MenuOwner : public CWindow {
 public:
  std::vector<UINT> firstItems;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_INITMENUPOPUP) firstItems.push_back(GetMenuItemID(reinterpret_cast<HMENU>(wParam), 0));
    return CWindow::WindowProc(msg, wParam, lParam);
  }
};

TEST(GaijiListCtrl, ContextMenuOffersCopyAndReadings) {
  GridHost h;
  MenuOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, L"menu owner", WS_POPUP | WS_VISIBLE, 700, 0, 50, 50, nullptr, nullptr));
  SetForegroundWindow(owner.Handle());
  test::Pump();
  test::ModalDriver driver(L"#32768", [](HWND) { EndMenu(); });
  const RECT row = h.Row(0);
  POINT at{200, row.top + 30};
  ClientToScreen(h.list, &at);
  SendMessageW(h.list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h.list), MAKELPARAM(at.x, at.y));
  EXPECT_TRUE(driver.Done());
  // The foreground window of this thread owns the menu, so its commands reach it.
  ASSERT_EQ(owner.firstItems.size(), 1u);
  EXPECT_EQ(owner.firstItems[0], static_cast<UINT>(ID_EDIT_COPY));
}

TEST(GaijiListCtrl, ScreenshotOfAnAttachedGrid) {
  test::ScratchFolder scratch(L"grid_shot");
  TmpVariable tmp(scratch.Path().wstring());
  GridHost h;
  // The sample font's pictograms when the program folder has them, else the test patterns.
  const fs::path sample = test::Template("Sample/SampleGaiji.euf");
  ASSERT_TRUE(h.grid.AttachEuf(fs::exists(sample) ? sample : Fixture("valid64.euf"), 7));
  ASSERT_TRUE(h.grid.SelectCode(0xE00A));
  SetWindowPos(h.host.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  for (int i = 0; i < 10; ++i) {
    test::Pump();
    Sleep(20);
  }
  const gui::RgbImage image = test::CaptureWindow(h.host.Handle());
  ASSERT_TRUE(image.IsValid());
  EXPECT_TRUE(gui::WritePng(fs::path(MOJI_SCREENSHOT_DIR) / "gaiji_grid.png", image));
}

// ---- clipboard, drop, search, balloon -------------------------------------------------------

// The clipboard emptied and given `items` in this order (the clipboard owns the handles).
void PutOnClipboard(std::initializer_list<std::pair<UINT, HANDLE>> items) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  for (const auto& [format, data] : items) EXPECT_TRUE(SetClipboardData(format, data));
  CloseClipboard();
}

// Empties the clipboard when it goes: what a test leaves there would enable the clipboard
// commands of every later browser on this desktop.
struct ClipboardEmptiedAtEnd {
  ~ClipboardEmptiedAtEnd() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
  }
};

HGLOBAL GlobalBlock(const std::vector<std::uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::vector<std::uint8_t> BitsOf(HBITMAP bitmap, std::size_t count) {
  std::vector<std::uint8_t> bits(count);
  bits.resize(static_cast<std::size_t>(std::max(0L, GetBitmapBits(bitmap, static_cast<LONG>(count), bits.data()))));
  return bits;
}

TEST(GaijiListCtrl, CopyPutsTheGlyphOfItsOwnSizeOnTheClipboard) {
  ClipboardEmptiedAtEnd emptied;
  test::ScratchFolder scratch(L"grid_copy");
  TmpVariable tmp(scratch.Path().wstring());
  LogCapture log(scratch / L"Mojiview.log");
  GridHost h;
  ASSERT_TRUE(h.grid.AttachEuf(Fixture("valid48.euf"), 3));
  ASSERT_TRUE(h.grid.SelectCode(0xE010));
  ASSERT_TRUE(h.grid.CopyGlyphToClipboard());
  EXPECT_EQ(h.grid.GetClipboardGlyphFormat(), static_cast<UINT>(CF_BITMAP));

  HBITMAP read = nullptr;
  std::wstring reading = L"x";
  int radical = 0, strokes = 0;
  ASSERT_TRUE(ReadClipboardGlyph(CF_BITMAP, &read, &reading, &radical, &strokes));
  EXPECT_EQ(BitmapSize(read).cx, 48);
  EXPECT_EQ(BitmapSize(read).cy, 48);
  EXPECT_EQ(BitsOf(read, 48 * 48 / 8), FixtureGlyph("valid48.euf", 0xE010).bits);
  EXPECT_EQ(reading, L"");
  EXPECT_EQ(radical, -1);
  EXPECT_EQ(strokes, -1);
  DeleteObject(read);
  EXPECT_FALSE(ReadClipboardGlyph(CF_BITMAP, nullptr, nullptr, nullptr, nullptr));
  // A clipboard bitmap that cannot be selected (another DC holds it) is a failed read.
  ASSERT_TRUE(OpenClipboard(nullptr));
  HGDIOBJ onClipboard = GetClipboardData(CF_BITMAP);
  CloseClipboard();
  HDC holder = CreateCompatibleDC(nullptr);
  HGDIOBJ held = SelectObject(holder, onClipboard);
  ASSERT_NE(held, nullptr);
  read = nullptr;
  EXPECT_FALSE(ReadClipboardGlyph(CF_BITMAP, &read, nullptr, nullptr, nullptr));
  EXPECT_EQ(read, nullptr);
  SelectObject(holder, held);
  DeleteDC(holder);
  EXPECT_NE(log.Text().find("Bitmap Copy to Clipboard（code=E010）\n"), std::string::npos);

  ASSERT_TRUE(h.grid.SelectCode(0xE003));  // an empty cell: nothing to copy
  EXPECT_FALSE(h.grid.CopyGlyphToClipboard());
}

TEST(GaijiListCtrl, ClipboardAnswersTheFirstGlyphFormatAndReadsKeeperRecords) {
  ClipboardEmptiedAtEnd emptied;
  GridHost h;
  const UINT keeper = h.grid.GlyphkeeperFormat();
  ASSERT_NE(keeper, 0u);
  const auto record = KeeperRecord(5, 12, 32, 1, 128, u"あい\0"s, 0x3C);
  PutOnClipboard({{keeper, GlobalBlock(record)}, {CF_BITMAP, CreateBitmap(16, 16, 1, 1, nullptr)}});
  EXPECT_EQ(h.grid.GetClipboardGlyphFormat(), keeper);
  PutOnClipboard({{CF_BITMAP, CreateBitmap(16, 16, 1, 1, nullptr)}, {keeper, GlobalBlock(record)}});
  EXPECT_EQ(h.grid.GetClipboardGlyphFormat(), static_cast<UINT>(CF_BITMAP));
  PutOnClipboard({{CF_UNICODETEXT, GlobalBlock({'a', 0, 0, 0})}});
  EXPECT_EQ(h.grid.GetClipboardGlyphFormat(), 0u);

  struct {
    const char* name;
    std::vector<std::uint8_t> block;
    bool read;
    int size, radical, strokes;
    std::wstring reading;
  } cases[] = {
      {"record with reading", record, true, 32, 5, 12, L"あい"},
      {"marker off", KeeperRecord(0, -2, 16, 0, 32, u"zz"), true, 16, 0, -2, L""},
      {"bits cut short", std::vector<std::uint8_t>(record.begin(), record.begin() + 100), false, 0, -1, -1, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PutOnClipboard({{keeper, GlobalBlock(c.block)}});
    HBITMAP bitmap = nullptr;
    std::wstring reading;
    int radical = 0, strokes = 0;
    ASSERT_EQ(ReadClipboardGlyph(keeper, &bitmap, &reading, &radical, &strokes), c.read);
    EXPECT_EQ(BitmapSize(bitmap).cx, c.size);
    EXPECT_EQ(radical, c.radical);
    EXPECT_EQ(strokes, c.strokes);
    EXPECT_EQ(reading, c.reading);
    if (bitmap) {
      const std::size_t n = static_cast<std::size_t>(c.size * c.size / 8);
      EXPECT_EQ(BitsOf(bitmap, n), std::vector<std::uint8_t>(c.block.begin() + 16, c.block.begin() + 16 + static_cast<std::ptrdiff_t>(n)));
      DeleteObject(bitmap);
    }
  }
}

// A WM_DROPFILES handle for `files` (freed by the receiver's DragFinish).
HDROP DropOf(const std::vector<std::wstring>& files) {
  std::wstring names;
  for (const auto& file : files) names += file + L'\0';
  names += L'\0';
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<std::uint8_t*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

TEST(GaijiListCtrl, DroppedFilesOpenOneFontFileOnly) {
  GridHost h;
  std::vector<std::wstring> opened;
  h.grid.SetFileDropRequest([&](const std::filesystem::path& path) { opened.push_back(path.wstring()); });
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  const std::wstring deep = L"C:\\fonts\\" + std::wstring(600, L'd') + L"\\c.tte";  // past the old 520
  struct {
    std::vector<std::wstring> files;
    std::wstring opened;
    UINT message;  // 0: none
  } cases[] = {
      {{L"C:\\fonts\\a.TTE"}, L"C:\\fonts\\a.TTE", 0},
      {{L"C:\\fonts\\b.euf"}, L"C:\\fonts\\b.euf", 0},
      {{L"C:\\fonts\\x.bmp"}, L"", IDS_ERR_NOT_GAIJI_FILE},
      {{L"C:\\fonts\\a.tte", L"C:\\fonts\\b.tte"}, L"", IDS_ERR_DROP_COUNT},
      {{L"tte"}, L"", 0},
      {{deep}, deep, 0},
      {{L"rel.euf"}, (fs::path(current) / L"rel.euf").wstring(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.files));
    MessageRecorder messages;
    opened.clear();
    SendMessageW(h.list, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(c.files)), 0);
    EXPECT_EQ(opened.empty() ? L"" : opened[0], c.opened);
    ASSERT_EQ(messages.boxes.size(), c.message ? 1u : 0u);
    if (c.message == IDS_ERR_NOT_GAIJI_FILE) {
      EXPECT_EQ(messages.boxes[0].text, FormatResource(c.message, c.files[0].c_str()));
      EXPECT_EQ(messages.boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
    } else if (c.message) {
      EXPECT_EQ(messages.boxes[0].text, LoadResourceString(c.message));
    }
  }
}

TEST(GaijiListCtrl, BitmapSearchFindsExactMatchesFromItsStartAndStopsOnPause) {
  ClipboardEmptiedAtEnd emptied;
  test::ScratchFolder scratch(L"grid_search");
  TmpVariable tmp(scratch.Path().wstring());
  // Two equal glyphs (E005, E009) and another one (E00A) in a 64 x 64 file.
  const fs::path euf = scratch / L"twins.euf";
  fs::copy_file(Fixture("template64.euf"), euf);
  {
    CEufFile file;
    ASSERT_EQ(file.Open(euf, CBinaryFile::Access::ReadWrite), 0);
    const std::vector<std::uint8_t> twin(512, 0x81), other(512, 0x18);
    ASSERT_TRUE(file.AddGlyph(0xE005, 64, 64, twin));
    ASSERT_TRUE(file.AddGlyph(0xE009, 64, 64, twin));
    ASSERT_TRUE(file.AddGlyph(0xE00A, 64, 64, other));
    ASSERT_TRUE(file.Commit());
  }
  GridHost h;
  ASSERT_TRUE(h.grid.AttachEuf(euf, 3));
  ASSERT_TRUE(h.grid.SelectCode(0xE009));
  ASSERT_TRUE(h.grid.CopyGlyphToClipboard());
  HBITMAP pattern = nullptr;
  ASSERT_TRUE(ReadClipboardGlyph(CF_BITMAP, &pattern, nullptr, nullptr, nullptr));

  int probes = 0;
  bool pause = false;
  h.grid.SetPauseProbe([&] { return ++probes, pause; });
  struct {
    int selected;
    bool fromTop;
    bool pause;
    int result;
    int selectedAfter;
    int probes;
  } cases[] = {
      {0xE100, true, false, 0xE005, 0xE005, 5},     // the lower of two equal glyphs
      {0xE005, false, false, 0xE009, 0xE009, 3},    // the selection itself is skipped
      {0xE009, false, false, 0, 0xE009, 0xF8FF - 0xE009},
      {0xF8FF, false, false, 0, 0xF8FF, 0},         // nothing after the last code
      {0xE000, true, true, -1, 0xE000, 1},          // Pause: stopped, selection kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected);
    ASSERT_TRUE(h.grid.SelectCode(c.selected));
    probes = 0;
    pause = c.pause;
    EXPECT_EQ(h.grid.FindBitmap(c.fromTop, pattern), c.result);
    EXPECT_EQ(h.grid.GetSelectedIndex(), c.selectedAfter - 0xE000);
    EXPECT_EQ(probes, c.probes);
  }
  DeleteObject(pattern);
}

TEST(GaijiListCtrl, BalloonStaysInsideTheWorkAreaAndClosesOnAnyKeyButtonOrLostCapture) {
  const RECT desktop{0, 0, 1280, 1024};
  struct {
    RECT window;
    RECT placed;
  } cases[] = {
      {{100, 100, 344, 202}, {100, 100, 344, 202}},
      {{1200, 100, 1444, 202}, {1036, 100, 1280, 202}},     // right edge
      {{100, 980, 344, 1082}, {100, 922, 344, 1024}},       // bottom edge
      {{1100, 1000, 1344, 1102}, {1036, 922, 1280, 1024}},  // lower-right corner
      {{-30, -20, 214, 82}, {-30, -20, 214, 82}},           // upper and left edges stay
  };
  const RECT second{1280, 0, 2560, 984};  // a monitor right of the first, task bar below
  const RECT onSecond = CFukidasiDlg::KeepInsideWorkArea(RECT{2400, 900, 2644, 1002}, second);
  const RECT movedOnSecond{2316, 882, 2560, 984};
  EXPECT_TRUE(EqualRect(&onSecond, &movedOnSecond));
  for (const auto& c : cases) {
    const RECT placed = CFukidasiDlg::KeepInsideWorkArea(c.window, desktop);
    EXPECT_TRUE(EqualRect(&placed, &c.placed)) << placed.left << "," << placed.top;
  }

  GridHost h;
  // 0: another window takes the mouse capture.
  for (const UINT closing : {static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_RBUTTONDOWN), static_cast<UINT>(WM_NCLBUTTONDOWN), 0u}) {
    CFukidasiDlg balloon(h.grid, 64, 100, true);
    RECT rect{};
    bool captured = false, shaped = false;
    test::ModalDriver driver(L"#32770", [&](HWND window) {
      GetWindowRect(window, &rect);
      captured = GetCapture() == window;
      HRGN region = CreateRectRgn(0, 0, 0, 0);
      shaped = GetWindowRgn(window, region) != ERROR;
      DeleteObject(region);
      if (closing != 0) {
        PostMessageW(window, closing, 0, 0);
      } else {  // the balloon closes at once with 1; the cancel would end it with 2 otherwise
        SetCapture(h.list);
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      }
    });
    EXPECT_EQ(balloon.DoModal(h.list), 1);
    EXPECT_TRUE(IsWindowEnabled(GetAncestor(h.list, GA_ROOT)));
    if (closing == 0) ReleaseCapture();
    POINT origin{64, 100};
    ClientToScreen(h.list, &origin);
    EXPECT_EQ(rect.left, origin.x);
    EXPECT_EQ(rect.top, origin.y);
    EXPECT_EQ(rect.right - rect.left, CFukidasiDlg::kWidth);
    EXPECT_EQ(rect.bottom - rect.top, CFukidasiDlg::kHeight);
    EXPECT_TRUE(captured);
    EXPECT_TRUE(shaped);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST(GaijiListCtrl, DragSourceOffersOnlyACopyOfTheBitmapAndDropsOnRelease) {
  const std::vector<std::uint8_t> bits(32 * 32 / 8, 0x96);
  auto* source = new CGlyphDataSource(CreateGlyphBitmap(32, 32, bits.data()));

  FORMATETC bitmap{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
  FORMATETC asHandle{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  FORMATETC text{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(source->QueryGetData(&bitmap), S_OK);
  EXPECT_NE(source->QueryGetData(&asHandle), S_OK);
  EXPECT_NE(source->QueryGetData(&text), S_OK);
  for (int round = 0; round < 2; ++round) {  // each receiver gets its own bitmap to release
    STGMEDIUM medium{};
    ASSERT_EQ(source->GetData(&bitmap, &medium), S_OK);
    EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_GDI));
    EXPECT_EQ(BitmapSize(medium.hBitmap).cx, 32);
    EXPECT_EQ(BitsOf(medium.hBitmap, bits.size()), bits);
    ReleaseStgMedium(&medium);
  }
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
  FORMATETC listed[4]{};
  ULONG count = 0;
  formats->Next(4, listed, &count);
  formats->Release();
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(listed[0].cfFormat, CF_BITMAP);
  EXPECT_EQ(listed[0].tymed, static_cast<DWORD>(TYMED_GDI));

  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->Release(), 0u);
  // A press that is no real button press (posted) never becomes a drag.
  EXPECT_FALSE(DragBegins(POINT{10, 10}));
}

}  // namespace
}  // namespace moji
