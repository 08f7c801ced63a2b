#include "GaijiListCtrl.h"

#include <algorithm>

#include <windowsx.h>

#include <string>

#include "Dpi.h"
#include "GaijiCode.h"
#include "PointFont.h"
#include "TextConv.h"

namespace moji {

void CGaijiListCtrl::FillRows() {
  if (!Handle()) return;
  UpdateMetrics();
  Send(WM_SETREDRAW, FALSE);
  Send(LB_RESETCONTENT);
  Send(LB_INITSTORAGE, kGridRows, 0);
  for (int row = 0; row < kGridRows; ++row) Send(LB_ADDSTRING, 0, 0);  // no strings, no data
  Send(WM_SETREDRAW, TRUE);
  Send(LB_SETCURSEL, 0);
  ::InvalidateRect(Handle(), nullptr, TRUE);
  OnSelectionChanged();
}

void CGaijiListCtrl::UpdateMetrics() {
  if (!Handle()) return;
  m_dpi = WindowDpi(Handle());
  RECT client{};
  ::GetClientRect(Handle(), &client);
  int width = client.right - client.left;
  // Without rows the list shows no scroll bar yet; the grid leaves room for it.
  if (!(::GetWindowLongW(Handle(), GWL_STYLE) & WS_VSCROLL)) width -= SystemMetricForDpi(SM_CXVSCROLL, m_dpi);
  const GridMetrics metrics = GridMetricsForDpi(m_dpi, width);
  if (metrics == m_metrics) return;
  const bool rowsChange = metrics.rowHeight != m_metrics.rowHeight;
  m_metrics = metrics;
  if (rowsChange) {
    const LRESULT rows = Send(LB_GETCOUNT);
    for (LRESULT row = 0; row < rows; ++row) Send(LB_SETITEMHEIGHT, static_cast<WPARAM>(row), m_metrics.rowHeight);
  }
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

bool CGaijiListCtrl::SelectCode(int code) {
  const GridCell cell = GridCellOfCode(code);
  if (cell.row < 0) return false;
  const int old = SelectedRow();
  if (old >= 0 && old != cell.row) InvalidateRowFrames(old);
  Send(LB_SETCURSEL, static_cast<WPARAM>(cell.row));
  m_column = cell.column;
  InvalidateSelectedRowFrames();
  OnSelectionChanged();
  return true;
}

int CGaijiListCtrl::SelectedRow() const {
  if (!Handle()) return -1;
  const LRESULT row = Send(LB_GETCURSEL);
  return row == LB_ERR ? -1 : static_cast<int>(row);
}

int CGaijiListCtrl::GetSelectedIndex() const {
  const int row = SelectedRow();
  return row < 0 ? -1 : GridIndexOfCell(row, m_column);
}

void CGaijiListCtrl::SetHeaderColor(COLORREF color) {
  m_headerColor = color;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

bool CGaijiListCtrl::GetRowRect(int row, RECT& rect) const {
  return Handle() && row >= 0 && Send(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) != LB_ERR;
}

void CGaijiListCtrl::InvalidateRowFrames(int row) {
  RECT rect{};
  if (!GetRowRect(row, rect)) return;
  for (const GridRect& part : GridFrameInvalidationRects(ToGridRect(rect), m_metrics)) {
    const RECT r = ToRect(part);
    ::InvalidateRect(Handle(), &r, TRUE);
  }
}

void CGaijiListCtrl::InvalidateSelectedRowFrames() { InvalidateRowFrames(SelectedRow()); }

int CGaijiListCtrl::ColumnAt(int x) const {
  RECT rect{};
  if (!GetRowRect(SelectedRow(), rect)) return 1;
  return GridColumnAtX(ToGridRect(rect), x, m_metrics);
}

void CGaijiListCtrl::SetColumnFromPoint(int x) {
  const int column = ColumnAt(x);
  if (column == m_column) return;
  m_column = column;
  InvalidateSelectedRowFrames();
}

void CGaijiListCtrl::PostSelectionChanged() { ::PostMessageW(Handle(), WM_APP_SELECTION_CHANGED, 0, 0); }

bool CGaijiListCtrl::OnKeyDown(UINT key) {
  bool consumed = false;
  switch (key) {
    case VK_DELETE:
      OnDeleteKey();
      return true;
    case VK_SPACE:
      consumed = true;
      break;
    case VK_LEFT:
      m_column = GridColumnLeft(m_column);
      InvalidateSelectedRowFrames();
      consumed = true;
      break;
    case VK_RIGHT:
      m_column = GridColumnRight(m_column);
      InvalidateSelectedRowFrames();
      consumed = true;
      break;
    default:
      break;  // Up, Down, Page Up/Down, Home, End: the list box moves the row
  }
  if (key >= VK_SPACE && key <= VK_DOWN) PostSelectionChanged();
  return consumed;
}

bool CGaijiListCtrl::PreTranslateMessage(MSG& msg) {
  if (msg.hwnd != Handle() || !Handle()) return false;
  switch (msg.message) {
    case WM_APP_SELECTION_CHANGED:
      OnSelectionChanged();
      return true;
    case WM_KEYDOWN:
      return OnKeyDown(static_cast<UINT>(msg.wParam));
    case WM_LBUTTONDOWN:
      // The column first; the list box then selects the clicked row as usual.
      SetColumnFromPoint(GET_X_LPARAM(msg.lParam));
      PostSelectionChanged();
      return false;
    default:
      return false;
  }
}

LRESULT CGaijiListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_APP_SELECTION_CHANGED:
      // Dispatched without pre-translation (a message box's or menu's own loop).
      OnSelectionChanged();
      return 0;
    case WM_SIZE: {
      const LRESULT result = Default();
      UpdateMetrics();
      return result;
    }
    case WM_RBUTTONDOWN: {
      const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, lParam);
      if (hit != LB_ERR && HIWORD(hit) == 0) {
        const int row = LOWORD(hit);
        const int old = SelectedRow();
        RECT rect{};
        const int column = GetRowRect(row, rect) ? GridColumnAtX(ToGridRect(rect), GET_X_LPARAM(lParam), m_metrics) : 1;
        if (row != old || column != m_column) {
          if (old >= 0) InvalidateRowFrames(old);
          m_column = column;
          if (row != old) Send(LB_SETCURSEL, static_cast<WPARAM>(row));
          InvalidateRowFrames(row);
        }
        // Now, not posted: the context menu that follows acts on this cell.
        OnSelectionChanged();
      }
      return Default();
    }
    default:
      return CWindow::WindowProc(msg, wParam, lParam);
  }
}

bool CGaijiListCtrl::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  if (msg == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(m_metrics.rowHeight);
    result = TRUE;
    return true;
  }
  if (msg == WM_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  }
  return false;
}

void CGaijiListCtrl::DrawItem(const DRAWITEMSTRUCT& item) {
  const int row = static_cast<int>(item.itemID);
  if (row < 0 || row >= kGridRows) return;
  HDC dc = item.hDC;
  const GridRect rect = ToGridRect(item.rcItem);
  const COLORREF background = ::GetBkColor(dc);
  const int saved = ::SaveDC(dc);  // font, pen, colours and modes come back at the end

  ::SetBkMode(dc, TRANSPARENT);
  HPEN pen = ::CreatePen(PS_SOLID, 1, kGridLineColor);
  ::SelectObject(dc, pen);
  ::MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
  ::LineTo(dc, rect.right, rect.bottom - 1);
  for (int k = 0; k <= kGridColumns; ++k) {
    // The closing line of column 8 falls on the row's right edge when the row is exactly as
    // wide as the grid: it is drawn on the last pixel inside.
    const int x = std::min(GridLineX(rect, k, m_metrics), rect.right - 1);
    ::MoveToEx(dc, x, rect.top, nullptr);
    ::LineTo(dc, x, rect.bottom - 1);
  }

  HFONT font = CreatePointFontForDpi(kCodeFontPoints, kGothicFace, m_dpi);
  if (font) ::SelectObject(dc, font);
  RECT code = ToRect(GridCodeColumnRect(rect, m_metrics));
  HBRUSH header = ::CreateSolidBrush(m_headerColor);
  ::FillRect(dc, &code, header);
  ::DeleteObject(header);
  ::SetTextColor(dc, RGB(0, 0, 0));
  const std::wstring text = ToWide(FormatHex4(static_cast<std::uint32_t>(GridRowFirstCode(row))));
  ::DrawTextW(dc, text.c_str(), -1, &code, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

  DrawRowCells(item);

  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool selectionChange = (item.itemAction & ODA_SELECT) != 0;
  const bool fullDraw = (item.itemAction & ODA_DRAWENTIRE) != 0;
  const RECT frame = ToRect(GridSelectionFrameRect(rect, m_column, m_metrics));
  if (selected && (fullDraw || selectionChange)) {
    HBRUSH blue = ::CreateSolidBrush(kSelectionColor);
    ::FrameRect(dc, &frame, blue);
    ::DeleteObject(blue);
  } else if (!selected && selectionChange) {
    HBRUSH erase = ::CreateSolidBrush(background);
    ::FrameRect(dc, &frame, erase);
    ::DeleteObject(erase);
  }

  ::RestoreDC(dc, saved);
  ::DeleteObject(pen);
  if (font) ::DeleteObject(font);
}

}  // namespace moji
