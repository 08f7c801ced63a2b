// Both programs on a display of 150 % and 200 % (the prefix's LogPixels, set around the
// scenario and put back): the grid's rows and columns follow the whole-number glyph scale and
// fill the list, glyphs are drawn bit for bit in squares, the toolbar takes the image set of
// the scale, and the status line and the range bar show their texts whole.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "BrowserFileScenario.h"

namespace moji::gui {
namespace {

constexpr int kToolBarId = 0xE800;
// The prefix's display dpi (LogPixels, where Wine reads it) set while the object lives; the
// values it found are put back (or removed) afterwards, so that later scenarios see 96 dpi.
class CPrefixDpi {
 public:
  explicit CPrefixDpi(DWORD dpi) {
    for (auto& [root, key, old] : m_entries) {
      DWORD value = 0, size = sizeof value;
      if (RegGetValueW(root, key, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS) old = value;
      EXPECT_EQ(RegSetKeyValueW(root, key, L"LogPixels", REG_DWORD, &dpi, sizeof dpi), ERROR_SUCCESS);
    }
  }
  ~CPrefixDpi() {
    for (const auto& [root, key, old] : m_entries) {
      if (old)
        RegSetKeyValueW(root, key, L"LogPixels", REG_DWORD, &*old, sizeof *old);
      else
        RegDeleteKeyValueW(root, key, L"LogPixels");
    }
  }

 private:
  struct Entry {
    HKEY root;
    const wchar_t* key;
    std::optional<DWORD> old;
  };
  Entry m_entries[2] = {{HKEY_CURRENT_USER, L"Control Panel\\Desktop", {}},
                        {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", {}}};
};

bool IsDark(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 384; }

// A control shows its text whole: there is text inside its border (`inset` pixels) and none
// in the inner area's last column or last row, where a clipped text would run into the edge.
bool ShowsTextWhole(HWND control, int inset) {
  const RgbImage image = CaptureWindow(control);
  const int right = image.width - inset - 1, bottom = image.height - inset - 1;
  int ink = 0;
  for (int y = inset; y <= bottom; ++y)
    for (int x = inset; x <= right; ++x) {
      if (!IsDark(PixelAt(image, x, y))) continue;
      if (x == right || y == bottom) return false;
      ++ink;
    }
  return ink > 0;
}

class DisplayScaleScenario : public CBrowserFileScenario {
 protected:
  // The toolbar's image width: its buttons are the images plus the padding.
  static int ToolbarImageSize(HWND main) {
    HWND toolbar = GetDlgItem(main, kToolBarId);
    return LOWORD(Ask(toolbar, TB_GETBUTTONSIZE)) - LOWORD(Ask(toolbar, TB_GETPADDING));
  }

  // The x of each grey vertical grid line in the first visible row, just above its bottom
  // line, where neither glyph nor selection frame is drawn.
  static std::vector<int> GridLinesOfFirstRow(HWND grid, int rowHeight) {
    RECT client{};
    GetClientRect(grid, &client);
    POINT origin{0, 0};
    ClientToScreen(grid, &origin);
    const int y = origin.y + rowHeight - 2;
    const RgbImage line = CaptureRect(RECT{origin.x, y, origin.x + client.right, y + 1});
    std::vector<int> xs;
    for (int x = 0; x < line.width; ++x)
      if (PixelAt(line, x, 0) == RGB(0xC0, 0xC0, 0xC0)) xs.push_back(x);
    return xs;
  }

  void CheckBrowser(int dpi, int glyphScale, int toolbarImage) {
    const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"pair" + std::to_wstring(dpi)));
    HWND main = StartBrowserWith(tte);
    ASSERT_TRUE(main);
    ASSERT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
    const std::wstring status = Status(L"E000", L"F040", 5);
    EXPECT_EQ(WaitForStatusLine(main, status), status);

    // Rows of the glyph at its scale plus 5; a code column of 44 pixels of 96 dpi; 8 columns
    // at least as wide as the rows, together as wide as the list (less than a pixel per
    // column left over).
    HWND grid = Grid(main);
    const int rowHeight = 64 * glyphScale + 5;
    EXPECT_EQ(Ask(grid, LB_GETITEMHEIGHT, 0), rowHeight);
    const std::vector<int> lines = GridLinesOfFirstRow(grid, rowHeight);
    RECT client{};
    GetClientRect(grid, &client);
    // The line right of the last column is drawn on the list's last pixel when the columns
    // fill it exactly.
    ASSERT_EQ(lines.size(), 9u) << "not 8 columns with their closing line";
    EXPECT_EQ(lines[0], MulDiv(44, dpi, 96));
    const int pitch = lines[1] - lines[0];
    EXPECT_GE(pitch, rowHeight);
    for (size_t k = 1; k < 8; ++k) EXPECT_EQ(lines[k] - lines[k - 1], pitch) << "column " << k;
    EXPECT_EQ(lines[8], std::min<int>(lines[0] + 8 * pitch, client.right - 1));
    const int rest = client.right - lines[0] - 8 * pitch;
    EXPECT_TRUE(rest >= 0 && rest < 8) << rest << " pixels right of the columns";

    // Each bit of E000 is a square of glyphScale pixels, black exactly where the EUF has ink.
    const std::vector<std::uint8_t> bits = SmallFontGlyphs().at(0xE000);
    POINT origin{lines[0] + 3 + (pitch - rowHeight) / 2, 2};
    ClientToScreen(grid, &origin);
    const int size = 64 * glyphScale;
    const RgbImage glyph = CaptureRect(RECT{origin.x, origin.y, origin.x + size, origin.y + size});
    ASSERT_EQ(glyph.width, size);
    int wrong = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const int bx = x / glyphScale, by = y / glyphScale;
        const bool ink = !(bits[by * 8 + bx / 8] & (0x80 >> (bx % 8)));
        wrong += (PixelAt(glyph, x, y) == RGB(0, 0, 0)) != ink;
      }
    EXPECT_EQ(wrong, 0) << "pixels of E000 that differ from its bits scaled by " << glyphScale;

    EXPECT_EQ(ToolbarImageSize(main), toolbarImage);
    EXPECT_TRUE(ShowsTextWhole(GetDlgItem(View(main), IDC_STATUS_EDIT), 2)) << "the status line is cut";
    Screenshot(L"browser-" + std::to_wstring(dpi), main);
    EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  }

  void CheckPrinter(int dpi, int toolbarImage) {
    CTargetProcess& printer = Start(L"Mojisheet.exe");
    HWND main = printer.WaitForMainWindow(kDefaultTimeoutMs, kPrinterTag);
    ASSERT_TRUE(main);
    EXPECT_EQ(ToolbarImageSize(main), toolbarImage);
    // The range bar: labels, code fields and range buttons.
    HWND bar = GetDlgItem(main, kBrowserViewId);
    int texts = 0;
    for (HWND control = GetWindow(bar, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
      if (!IsWindowVisible(control) || WindowText(control).empty()) continue;
      const int inset = ClassName(control) == L"Button" ? 4 : 2;
      EXPECT_TRUE(ShowsTextWhole(control, inset)) << "cut: " << testing::PrintToString(WindowText(control));
      ++texts;
    }
    EXPECT_GE(texts, 6) << "labels, fields and buttons of the range bar";
    Screenshot(L"printer-" + std::to_wstring(dpi), main);
    ASSERT_TRUE(PostCommand(main, ID_APP_EXIT));
    EXPECT_EQ(printer.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0));
  }
};

TEST_F(DisplayScaleScenario, At150And200PercentGridToolbarAndTextsFollowTheScale) {
  struct Display {
    int dpi, glyphScale, toolbarImage;
  };
  for (const Display display : {Display{144, 2, 36}, Display{192, 2, 48}}) {
    SCOPED_TRACE(display.dpi);
    CPrefixDpi prefix(display.dpi);
    CheckBrowser(display.dpi, display.glyphScale, display.toolbarImage);
    CheckPrinter(display.dpi, display.toolbarImage);
  }
}

}  // namespace
}  // namespace moji::gui
