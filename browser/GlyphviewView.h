// CGlyphviewView: the browser's form view (template 101): the gaiji grid on list box 1006
// above the one-line information field, edit 1000, in which the grid writes the status
// line of the selected gaiji. Both follow the window's size: the grid grows, the field
// moves down.
//
// The gaiji list control (CBrowserGaijiListCtrl) is attached to list box 1006 in
// AttachGaijiList, when the view is first shown.
#pragma once

#include "BrowserGaijiListCtrl.h"
#include "FormView.h"
#include "MojiviewRes.h"

namespace moji {

class CGlyphviewApp;
class CGlyphviewView : public CFormView {
 public:
  explicit CGlyphviewView(CGlyphviewApp& app);
  ~CGlyphviewView() override;

  // The gaiji list control on list box 1006.
  CBrowserGaijiListCtrl* GaijiList() { return &m_grid; }
  HWND GaijiListWindow() const { return Item(IDC_GAIJI_LIST); }
  HWND StatusEdit() const { return Item(IDC_STATUS_EDIT); }

  // The form's size for the frame: the template's, widened (with the grid and the
  // information field) where the template's font leaves the grid narrower than a row of
  // 8 cells beside the scroll bar. Called before the frame fits itself to the form, at the
  // start and after a change of scale.
  SIZE FitFormToGrid();

  // Takes WM_APP_OPEN_START_TARGET: the document opens the application's start target.
  bool PreTranslateMessage(MSG& msg) override;

 protected:
  void OnInitialUpdate() override;
  // The information field's font for the display's scale.
  void OnDpiChanged(int dpi) override;
  void OnSize(UINT type, int width, int height) override;

 private:
  void AttachGaijiList();

  CGlyphviewApp& m_app;
  CBrowserGaijiListCtrl m_grid;
  HFONT m_statusFont = nullptr;  // 9-point "ＭＳ ゴシック" of the information field
  SIZE m_clientSize{};           // the client size the controls were last laid out for
  bool m_laidOut = false;
};

}  // namespace moji
