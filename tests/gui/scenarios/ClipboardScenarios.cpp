// Glyphs leaving and entering the browser through the clipboard: a copied glyph found again
// by the bitmap match search, and a record of the gaiji management program shown in the
// clipboard balloon.
#include <windows.h>

#include <gmock/gmock.h>

#include <ole2.h>

#include <algorithm>
#include <cstring>

#include "BrowserFileScenario.h"
#include "CommandStateQuery.h"
#include "GlyphkeeperRecords.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::string_literals;

constexpr wchar_t kFindCaption[] = L"ﾋﾞｯﾄﾏｯﾌﾟﾏｯﾁ検索";
constexpr wchar_t kNoMatch[] = L"このﾊﾟﾀﾝにﾏｯﾁする外字は見つかりませんでした。";

// A window of the test process that accepts dropped bitmaps (OLE drop target) and keeps the
// size and bits of the last one.
class CBitmapDropTarget final : public IDropTarget {
 public:
  CBitmapDropTarget() {
    m_window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"drop here", WS_POPUP | WS_VISIBLE | WS_BORDER, 900, 600,
                               200, 200, nullptr, nullptr, nullptr, nullptr);
    m_registered = SUCCEEDED(RegisterDragDrop(m_window, this));
  }
  ~CBitmapDropTarget() {
    if (m_registered) RevokeDragDrop(m_window);
    DestroyWindow(m_window);
  }
  bool Registered() const { return m_registered; }
  POINT Centre() const { return POINT{1000, 700}; }

  SIZE droppedSize{};
  std::vector<std::uint8_t> droppedBits;
  int drops = 0;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDropTarget) return *object = nullptr, E_NOINTERFACE;
    *object = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives on the test's stack
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC bitmap{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    m_accept = data->QueryGetData(&bitmap) == S_OK;
    *effect = m_accept ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = m_accept ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC bitmap{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    STGMEDIUM medium{};
    *effect = DROPEFFECT_NONE;
    if (data->GetData(&bitmap, &medium) != S_OK) return S_OK;
    BITMAP info{};
    GetObjectW(medium.hBitmap, sizeof info, &info);
    droppedSize = SIZE{info.bmWidth, info.bmHeight};
    droppedBits.resize(static_cast<std::size_t>(info.bmWidthBytes * info.bmHeight));
    GetBitmapBits(medium.hBitmap, static_cast<LONG>(droppedBits.size()), droppedBits.data());
    ReleaseStgMedium(&medium);
    ++drops;
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }

 private:
  HWND m_window = nullptr;
  bool m_registered = false;
  bool m_accept = false;
};

// Processes this thread's messages (the drop target's calls arrive through them) for `ms`.
void PumpFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

class ClipboardScenario : public CBrowserFileScenario {
 protected:
  // The clipboard's CF_BITMAP as its size and device-dependent bits; {0, 0} when none.
  static SIZE ClipboardBitmap(std::vector<std::uint8_t>& bits) {
    SIZE size{};
    if (!OpenClipboard(nullptr)) return size;
    if (auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
      BITMAP info{};
      GetObjectW(bitmap, sizeof info, &info);
      size = SIZE{info.bmWidth, info.bmHeight};
      bits.resize(static_cast<std::size_t>(info.bmWidthBytes * info.bmHeight));
      GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
    }
    CloseClipboard();
    return size;
  }

  // A browser showing small.tte with its EUF; its main window once the title names the file.
  HWND StartWithSmallPair() {
    const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"pair"));
    HWND main = StartBrowserWith(tte);
    if (main && WaitForTitle(main, Title(tte)) != Title(tte)) ADD_FAILURE() << "the title does not name the file";
    return main;
  }

  static bool Enabled(HWND main, UINT id) {
    const auto states = QueryCommandStates(main);
    return states && std::any_of(states->begin(), states->end(),
                                 [id](const CommandState& s) { return s.kind == L'M' && s.id == id && s.enabled; });
  }

  // The balloon: a visible captionless dialog of the browser, 244 pixels wide.
  HWND FindBalloon() {
    for (HWND h : TopLevelWindows(BrowserId())) {
      const RECT r = WindowRect(h);
      if (ClassName(h) == L"#32770" && IsWindowVisible(h) && r.right - r.left == 244) return h;
    }
    return nullptr;
  }
};

TEST_F(ClipboardScenario, CopiedGlyphIsFoundAgainFromTheTopAndNotAfterItself) {
  HWND main = StartWithSmallPair();
  ASSERT_TRUE(main);
  HWND grid = Grid(main);
  ASSERT_TRUE(WaitForShownGlyph(grid, 0xE004, test::CodeShapeGlyph(0xE004)));

  // A click on the cell selects it (a press without movement drags nothing).
  const RECT cell = GlyphArea(grid, 0xE004);
  ASSERT_TRUE(BringToForeground(main));
  ASSERT_TRUE(ClickAt(POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2}));
  ASSERT_EQ(WaitForStatusLine(main, Status(L"E004", L"F044", 5)), Status(L"E004", L"F044", 5));
  EXPECT_TRUE(WaitUntil([&] { return Enabled(main, ID_EDIT_COPY); }, 3000));

  ASSERT_TRUE(SendKey(main, 'C', kCtrl));
  std::vector<std::uint8_t> bits;
  ASSERT_TRUE(WaitUntil([&] { return ClipboardBitmap(bits).cx == 64; }, 3000)) << "no bitmap on the clipboard";
  EXPECT_EQ(bits, test::CodeShapeGlyph(0xE004));
  EXPECT_TRUE(WaitUntil([&] { return Enabled(main, ID_BITMAP_FIND) && Enabled(main, ID_CLIPBOARD_CHECK); }, 3000));

  // Elsewhere, then F8 from the top: the same cell again.
  ASSERT_TRUE(PostKey(grid, VK_DOWN));
  ASSERT_EQ(WaitForStatusLine(main, Status(L"E00C", L"F04C", 5)), Status(L"E00C", L"F04C", 5));
  ASSERT_TRUE(PostKey(main, VK_F8));
  HWND dialog = WaitForDialog(BrowserId(), kFindCaption);
  ASSERT_TRUE(dialog) << "no search dialog";
  EXPECT_EQ(ControlText(dialog, IDC_FIND_SIZE), L"64×64");
  EXPECT_EQ(Ask(GetDlgItem(dialog, IDC_FIND_FROM_TOP), BM_GETCHECK), BST_CHECKED);
  Screenshot(L"search-dialog", dialog);
  ASSERT_TRUE(PressButton(dialog, IDOK));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E004", L"F044", 5)), Status(L"E004", L"F044", 5));

  // After the selection nothing else matches: message 5024, the selection stays.
  ASSERT_TRUE(PostKey(main, VK_F8));
  dialog = WaitForDialog(BrowserId(), kFindCaption);
  ASSERT_TRUE(dialog);
  Ask(GetDlgItem(dialog, IDC_FIND_AFTER_SELECTION), BM_CLICK);
  ASSERT_TRUE(PressButton(dialog, IDOK));
  EXPECT_EQ(AnswerMessage(), kNoMatch);
  EXPECT_EQ(StatusLine(main), Status(L"E004", L"F044", 5));

  const std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"Drag Start (Addr=E004:h="));
  EXPECT_THAT(log, Not(HasSubstr(L"Drag End")));
  EXPECT_THAT(log, HasSubstr(L"Command:選択外字をコピー（ｸﾘｯﾌﾟﾎﾞｰﾄﾞ保存）\n"));
  EXPECT_THAT(log, HasSubstr(L"Bitmap Copy to Clipboard（code=E004）\n"));
}

TEST_F(ClipboardScenario, DraggedGlyphDropsAsABitmapOfItsOwnSize) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  {
    CBitmapDropTarget target;
    ASSERT_TRUE(target.Registered());
    HWND main = StartWithSmallPair();
    ASSERT_TRUE(main);
    HWND grid = Grid(main);
    ASSERT_TRUE(WaitForShownGlyph(grid, 0xE001, test::EllGlyph()));
    const RECT cell = GlyphArea(grid, 0xE001);
    const POINT from{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ASSERT_TRUE(BringToForeground(main));
    ASSERT_TRUE(MouseEventAt(from));
    ASSERT_TRUE(MouseEventAt(from, MOUSEEVENTF_LEFTDOWN));
    PumpFor(100);
    for (int step = 1; step <= 8; ++step) {  // out of the drag rectangle, then over the target
      const POINT to = target.Centre();
      ASSERT_TRUE(MouseEventAt(POINT{from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8}));
      PumpFor(60);
    }
    ASSERT_TRUE(MouseEventAt(target.Centre(), MOUSEEVENTF_LEFTUP));
    // The browser's drag ends after calls into this thread: keep pumping until it logs its end.
    const auto dragEnded = [&] { return Log().find(L"Drag End\n") != std::wstring::npos; };
    for (int i = 0; i < 150 && !dragEnded(); ++i) PumpFor(30);
    EXPECT_TRUE(dragEnded());
    EXPECT_EQ(target.drops, 1);
    EXPECT_EQ(target.droppedSize.cx, 64);
    EXPECT_EQ(target.droppedSize.cy, 64);
    EXPECT_EQ(target.droppedBits, test::EllGlyph());
    EXPECT_EQ(WaitForStatusLine(main, Status(L"E001", L"F041", 5)), Status(L"E001", L"F041", 5));
    EXPECT_THAT(Log(), HasSubstr(L"Drag Start (Addr=E001:h="));
  }
  OleUninitialize();
}

TEST_F(ClipboardScenario, GlyphkeeperRecordShowsInTheBalloonUntilAClickAnywhere) {
  HWND main = StartWithSmallPair();
  ASSERT_TRUE(main);

  // Radical field 3 (shown as 2), 7 strokes, the square glyph and the reading やま.
  const auto record = test::KeeperRecord(3, 7, 64, 1, test::SquareGlyph(), u"やま\0"s);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, record.size());
  std::memcpy(GlobalLock(block), record.data(), record.size());
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(RegisterClipboardFormatW(L"Glyphkeeper"), block));
  CloseClipboard();
  ASSERT_TRUE(WaitUntil([&] { return Enabled(main, ID_CLIPBOARD_CHECK); }, 3000));

  ASSERT_TRUE(SendKey(main, 'L', kCtrl));
  HWND balloon = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (balloon = FindBalloon()) != nullptr; }, 5000)) << "no balloon";
  const RECT at = WindowRect(balloon);
  POINT anchor{64, -48};
  ClientToScreen(Grid(main), &anchor);
  EXPECT_EQ(at.left, anchor.x);
  EXPECT_EQ(at.top, anchor.y);
  // The glyph's ink in blue inside its 64 x 64 area, the balloon's colour around it.
  int blue = 0;
  ASSERT_TRUE(WaitUntil([&] {
    const RgbImage image = CaptureRect(RECT{at.left + 30, at.top + 28, at.left + 94, at.top + 92});
    blue = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) blue += PixelAt(image, x, y) == RGB(0, 0, 255);
    return blue > 100;
  }, 3000)) << blue << " blue pixels";
  const auto pixel = [&](int x, int y) { return PixelAt(CaptureRect(RECT{at.left + x, at.top + y, at.left + x + 1, at.top + y + 1}), 0, 0); };
  EXPECT_EQ(pixel(200, 95), RGB(0xF0, 0xF0, 0xFF));  // body
  EXPECT_EQ(pixel(224, 20), RGB(0xC0, 0xC0, 0xC0));  // close mark frame
  EXPECT_EQ(pixel(227, 19), RGB(0, 0, 0));           // and its cross
  Screenshot(L"balloon", balloon);

  // The balloon holds the mouse: a click far away from it closes it.
  ASSERT_TRUE(ClickAt(POINT{5, 1000}));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(balloon) || !IsWindowVisible(balloon); }, 3000)) << "the balloon stays";
}

}  // namespace
}  // namespace moji::gui
