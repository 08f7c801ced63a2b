// CGaijiListCtrl: the gaiji grid on an owner-drawn list box (variable item height, no
// strings): 800 rows of 8 glyph cells for U+E000..U+F8FF with the row's first code in a
// column at the left. The list box's selection is the selected row; the selected column
// (1..8) is kept here. Geometry and cell/code mapping come from GaijiGrid.h, for the dpi of
// the list's monitor: the rows, cells and glyphs grow with the display and the 8 columns fill
// the list's width (UpdateMetrics, on every size change).
//
// Attach it to the list box of a form with SubclassDlgItem, then call FillRows once. The
// parent must be a CWindow (a CDialog / CFormView) so that WM_MEASUREITEM and WM_DRAWITEM
// are reflected to this object.
//
// Input: key-down and left-button messages are handled in PreTranslateMessage (the message
// loops of CMessageLoop and CDialog offer them there first):
//   Delete         OnDeleteKey, consumed
//   Space          consumed
//   Left / Right   consumed; the column moves and wraps inside the row
//   Up, Down, Page Up, Page Down, Home, End   passed on to the list box (row moves)
//   left button    the column under the pointer, before the list box selects the row
// For keys 0x20..0x28 and the left button the control posts WM_APP_SELECTION_CHANGED to
// itself; it comes back through pre-translation (or the window procedure) after the list
// box has applied its own row change, and runs OnSelectionChanged.
#pragma once

#include <windows.h>

#include "GaijiGrid.h"
#include "Window.h"

namespace moji {

class CGaijiListCtrl : public CWindow {
 public:
  static constexpr UINT WM_APP_SELECTION_CHANGED = 0x8001;
  static constexpr COLORREF kHeaderLinked = 0xE0E0FF;    // the system's linked EUDC font
  static constexpr COLORREF kHeaderDefault = 0xC0FFFF;   // any other font
  static constexpr COLORREF kGridLineColor = 0xC0C0C0;
  static constexpr COLORREF kSelectionColor = 0xFF0000;  // blue
  static constexpr int kCodeFontPoints = 9;

  // Adds the 800 rows, selects the first and runs OnSelectionChanged.
  void FillRows();

  // Selects the cell of `code` (the list box scrolls it into view) and runs
  // OnSelectionChanged; false, changing nothing, for a code outside U+E000..U+F8FF.
  bool SelectCode(int code);
  // Index (0..6399) of the selected cell; -1 when the list box has no selection.
  int GetSelectedIndex() const;
  int SelectedColumn() const { return m_column; }

  // Writes the status line of the selected cell again (after a reload or a reading change).
  void RefreshStatusLine() { OnSelectionChanged(); }

  void SetHeaderColor(COLORREF color);
  COLORREF HeaderColor() const { return m_headerColor; }

  // The rectangle of a row in client coordinates (outside the client when scrolled away).
  bool GetRowRect(int row, RECT& rect) const;

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  virtual void OnSelectionChanged() = 0;
  virtual void OnDeleteKey() = 0;
  // Draws the 8 glyph cells of the row of `item`; the code font is selected into the DC.
  virtual void DrawRowCells(const DRAWITEMSTRUCT& item) = 0;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Draw-item of one row: grid lines, code column, DrawRowCells, selection frame.
  void DrawItem(const DRAWITEMSTRUCT& item);
  // Invalidates (with erase) the frames around the glyphs of the selected row only.
  void InvalidateSelectedRowFrames();
  void InvalidateRowFrames(int row);
  // The column under client x in the selected row's rectangle; 1 without a selection.
  int ColumnAt(int x) const;
  // Sets the column from a button-down point; invalidates the frames when it changes.
  void SetColumnFromPoint(int x);
  void PostSelectionChanged();
  int SelectedRow() const;

  // The grid's sizes on the list's display (GaijiGrid.h), the cells filling the list's width.
  const GridMetrics& Metrics() const { return m_metrics; }
  int Dpi() const { return m_dpi; }
  // Takes the metrics for the list's present dpi and width; rows get the new height and
  // everything is repainted when they change.
  void UpdateMetrics();

  static GridRect ToGridRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
  static RECT ToRect(const GridRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

 private:
  bool OnKeyDown(UINT key);

  int m_column = 1;
  int m_dpi = 96;
  GridMetrics m_metrics;
  COLORREF m_headerColor = kHeaderDefault;
};

}  // namespace moji
