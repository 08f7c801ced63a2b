// The small controls: input-method modes (through the recording fake and, where Wine has
// one, the real input context), the two edits, the link label and the glyph picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "BitmapPict.h"
#include "Dialog.h"
#include "HankakuEdit.h"
#include "HirakanaEdit.h"
#include "ImeCtrl.h"
#include "MojiviewRes.h"
#include "UiTestSupport.h"
#include "UrlStatic.h"

namespace moji {
namespace {

using Calls = std::vector<std::wstring>;

std::wstring SetConversion(DWORD conversion, DWORD sentence) {
  return L"SetConversion " + std::to_wstring(conversion) + L" " + std::to_wstring(sentence);
}

TEST(ImeCtrl, SetModeMakesExactlyTheCallsOfEachMode) {
  HWND window = GetDesktopWindow();  // any window: the fake does not look at it
  test::FakeImeApi ime;
  auto run = [&](int mode) {
    ime.calls.clear();
    CImeCtrl ctrl(window);
    ctrl.SetMode(mode);
  };

  run(CImeCtrl::kImeNone);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", L"ReleaseContext"}));

  ime.open = true;
  run(CImeCtrl::kImeClose);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", L"Close", L"ReleaseContext"}));
  run(CImeCtrl::kImeClose);  // already closed: nothing to do
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", L"ReleaseContext"}));

  // Hiragana from half-width katakana: NATIVE and FULLSHAPE on, KATAKANA off; the bits
  // above the low byte and the sentence mode stay.
  ime.conversion = 0x1000 | 0x40 | IME_CMODE_KATAKANA | IME_CMODE_NATIVE;
  ime.sentence = IME_SMODE_PHRASEPREDICT;
  run(CImeCtrl::kImeHiragana);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", L"Open", SetConversion(0x1000 | 0x40 | 0x09, IME_SMODE_PHRASEPREDICT),
                              L"ReleaseContext"}));

  // Half-width katakana from full-width hiragana: 0x42 and NATIVE on, FULLSHAPE off.
  ime.open = true;
  ime.conversion = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_ROMAN;
  run(CImeCtrl::kImeHankakuKana);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", SetConversion(0x01 | 0x10 | 0x42, IME_SMODE_PHRASEPREDICT),
                              L"ReleaseContext"}));

  // Any other mode only opens.
  ime.open = false;
  run(5);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", L"Open", L"ReleaseContext"}));

  // Unreadable conversion status: opened, conversion left alone.
  ime.open = false;
  ime.conversionReadable = false;
  run(CImeCtrl::kImeHiragana);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", L"Open", L"ReleaseContext"}));

  // No input context: no calls beyond asking for one.
  ime.hasContext = false;
  ime.conversionReadable = true;
  run(CImeCtrl::kImeHiragana);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext"}));
  EXPECT_FALSE(CImeCtrl(window).IsOpen());

  EXPECT_EQ(CImeCtrl::ConversionFor(CImeCtrl::kImeHiragana, 0xFFFFFFFF), 0xFFFFFFFD);
  EXPECT_EQ(CImeCtrl::ConversionFor(CImeCtrl::kImeHankakuKana, 0), 0x43u);
}

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"edits", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 200, nullptr,
                                nullptr));
    hankakuWindow = MakeEdit(1, L"E000");
    hirakanaWindow = MakeEdit(2, L"がいじ");
    ASSERT_TRUE(hankaku.SubclassWindow(hankakuWindow));
    ASSERT_TRUE(hirakana.SubclassWindow(hirakanaWindow));
    SetForegroundWindow(parent.Handle());
    test::Pump();
  }
  HWND MakeEdit(int id, const wchar_t* text) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10 + 30 * id,
                           200, 24, parent.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  }
  static std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  CWindow parent;
  HWND hankakuWindow = nullptr, hirakanaWindow = nullptr;
  CHankakuEdit hankaku;
  CHirakanaEdit hirakana;
};

TEST_F(EditTest, FocusSetsTheModeAndSelectsAllLeavingDeselects) {
  test::FakeImeApi ime;
  ime.open = true;
  ime.conversion = IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE;
  SetFocus(hankakuWindow);
  EXPECT_EQ(GetFocus(), hankakuWindow);
  EXPECT_EQ(ime.calls, (Calls{L"GetContext", L"Close", L"ReleaseContext"}));
  EXPECT_FALSE(ime.open);
  EXPECT_EQ(Selection(hankakuWindow), (std::pair<DWORD, DWORD>{0, 4}));

  ime.calls.clear();
  SetFocus(hirakanaWindow);
  EXPECT_FALSE(ime.calls.empty());
  EXPECT_TRUE(ime.open);
  EXPECT_EQ(ime.conversion, DWORD(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE));  // katakana → hiragana
  EXPECT_EQ(Selection(hirakanaWindow), (std::pair<DWORD, DWORD>{0, 3}));
  // The field that lost the focus has no selection left.
  const auto left = Selection(hankakuWindow);
  EXPECT_EQ(left.first, left.second);
}

TEST_F(EditTest, WineInputContextFollowsTheEdits) {
  // With the system's input-method functions: Wine keeps open status and conversion mode
  // per input context, though it has no input method behind them.
  HIMC context = ImmGetContext(hirakanaWindow);
  if (!context) GTEST_SKIP() << "no input context for an edit in this prefix";
  ImmReleaseContext(hirakanaWindow, context);
  SetFocus(hirakanaWindow);
  context = ImmGetContext(hirakanaWindow);
  DWORD conversion = 0, sentence = 0;
  EXPECT_TRUE(ImmGetOpenStatus(context));
  ASSERT_TRUE(ImmGetConversionStatus(context, &conversion, &sentence));
  EXPECT_EQ(conversion & (IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_KATAKANA),
            DWORD(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE));
  ImmReleaseContext(hirakanaWindow, context);
  SetFocus(hankakuWindow);
  context = ImmGetContext(hankakuWindow);
  EXPECT_FALSE(ImmGetOpenStatus(context));
  ImmReleaseContext(hankakuWindow, context);
}

// The link label in the about box template.
class RecordingUrlStatic : public CUrlStatic {
 public:
  std::vector<std::wstring> opened;

 protected:
  void OpenLink(const std::wstring& target) override { opened.push_back(target); }
};

class AboutTemplate : public CDialog {
 public:
  AboutTemplate() : CDialog(IDD_ABOUTBOX) {}
  RecordingUrlStatic link;

 protected:
  bool OnInitDialog() override {
    link.SubclassDlgItem(IDC_ABOUT_URL, Handle());
    return true;
  }
};

TEST(UrlStatic, LooksLikeALinkAndOpensItsText) {
  AboutTemplate dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  HWND link = dialog.Item(IDC_ABOUT_URL);
  ASSERT_EQ(dialog.link.Handle(), link);
  HFONT original = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));

  HDC dc = GetDC(link);
  const LRESULT brush = SendMessageW(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(link));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc), CUrlStatic::kLinkColor);
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(link, dc);
  // The control now uses an underlined copy of its font.
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
  EXPECT_EQ(font, dialog.link.LinkFont());
  LOGFONTW underlined{}, plain{};
  GetObjectW(font, sizeof underlined, &underlined);
  GetObjectW(original, sizeof plain, &plain);
  EXPECT_TRUE(underlined.lfUnderline);
  EXPECT_EQ(underlined.lfHeight, plain.lfHeight);
  EXPECT_STREQ(underlined.lfFaceName, plain.lfFaceName);
  // A second colour query makes no new font.
  dc = GetDC(link);
  SendMessageW(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
  ReleaseDC(link, dc);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0)), font);

  EXPECT_TRUE(SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  SetWindowTextW(link, L"https://example.org/gaiji/");  // the template's label is empty
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(dialog.link.opened, (std::vector<std::wstring>{L"https://example.org/gaiji/"}));

  // With an action the click runs it instead of opening the text.
  int actions = 0;
  dialog.link.SetOpenAction([&] { ++actions; });
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(dialog.link.opened.size(), 1u);
}

// A monochrome bitmap of size x size: ink (0 bits) where ink(x, y) says so.
template <typename Ink>
HBITMAP MakeGlyph(int size, Ink ink) {
  const int stride = ((size + 15) / 16) * 2;
  std::vector<BYTE> bits(static_cast<size_t>(stride * size), 0xFF);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (ink(x, y)) bits[static_cast<size_t>(y * stride + x / 8)] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  return CreateBitmap(size, size, 1, 1, bits.data());
}

class PictTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"pict", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300, 200, nullptr,
                                nullptr));
    HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 90, 80, parent.Handle(),
                                   reinterpret_cast<HMENU>(1012), GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(pict.SubclassWindow(control));
  }
  // The control painted into a 24-bit memory bitmap through WM_PRINTCLIENT.
  std::vector<COLORREF> Render(int& width) {
    RECT client{};
    GetClientRect(pict.Handle(), &client);
    width = client.right;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, canvas);
    SendMessageW(pict.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
  }

  CWindow parent;
  CBitmapPict pict;
};

TEST_F(PictTest, A48PixelGlyphAnswers48AndIsShownStretchedTo64) {
  HBITMAP glyph = MakeGlyph(48, [](int x, int) { return x < 24; });  // left half ink
  const SIZE size = pict.SetBitmap(glyph);
  EXPECT_EQ(size.cx, 48);
  EXPECT_EQ(size.cy, 48);
  BITMAP info{};
  EXPECT_TRUE(GetObjectW(glyph, sizeof info, &info));  // still the caller's
  DeleteObject(glyph);  // the control keeps its own copy

  int width = 0;
  const auto pixels = Render(width);
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; };
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
  // 48 → 64: source columns 0..23 cover 0..31 of the picture at (9, 6).
  EXPECT_EQ(at(9, 6), black);
  EXPECT_EQ(at(9 + 31, 6 + 63), black);
  EXPECT_EQ(at(9 + 32, 6), white);
  EXPECT_EQ(at(9 + 63, 6 + 63), white);
  // Outside the 64 x 64 square: the window colour.
  EXPECT_EQ(at(8, 6), window);
  EXPECT_EQ(at(9, 5), window);
  EXPECT_EQ(at(9 + 64, 6), window);
  EXPECT_EQ(at(9, 6 + 64), window);
}

TEST_F(PictTest, ACentredPictureHasEqualMarginsOnEachSide) {
  HBITMAP glyph = MakeGlyph(64, [](int, int) { return true; });
  pict.SetBitmap(glyph);
  DeleteObject(glyph);
  pict.SetCentred(true);
  int width = 0;
  const auto pixels = Render(width);
  const int height = static_cast<int>(pixels.size()) / width;
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (pixels[static_cast<size_t>(y * width + x)] == RGB(0, 0, 0))
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
  EXPECT_EQ(right - left + 1, 64);
  EXPECT_LE(std::abs(left - (width - 1 - right)), 1) << "left " << left << ", right " << width - 1 - right;
  EXPECT_LE(std::abs(top - (height - 1 - bottom)), 1) << "top " << top << ", bottom " << height - 1 - bottom;
}

TEST_F(PictTest, A64PixelGlyphIsCopiedPixelForPixelAndPainted) {
  HBITMAP glyph = MakeGlyph(64, [](int x, int y) { return (x == 5 && y == 7) || (x == 63 && y == 63); });
  pict.SetBitmap(glyph);
  DeleteObject(glyph);
  int width = 0;
  const auto pixels = Render(width);
  int ink = 0;
  for (COLORREF c : pixels) ink += c == RGB(0, 0, 0);
  EXPECT_EQ(ink, 2);
  EXPECT_EQ(pixels[static_cast<size_t>((6 + 7) * width + 9 + 5)], RGB(0, 0, 0));
  EXPECT_EQ(pixels[static_cast<size_t>((6 + 63) * width + 9 + 63)], RGB(0, 0, 0));
  // Without a bitmap only the background is painted.
  EXPECT_EQ(pict.SetBitmap(nullptr).cx, 0);
  for (COLORREF c : Render(width)) ASSERT_EQ(c, GetSysColor(COLOR_WINDOW) & 0xFFFFFF);
}

}  // namespace
}  // namespace moji
