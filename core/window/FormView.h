// CFormView: a child dialog from a template with the WS_CHILD style that fills a frame's
// view area (CFrameWindow::SetView). Its controls live in the template; a derived class
// subclasses them in OnInitDialog or OnInitialUpdate.
//
// Key messages of its controls first go to the frame's PreTranslateMessage (accelerators),
// then to the dialog manager's keyboard navigation; Enter and Esc do not end the form.
#pragma once

#include <windows.h>

#include "Dialog.h"
#include "PointFont.h"

namespace moji {

class CFormView : public CDialog {
 public:
  static constexpr UINT kDefaultId = 0xE900;

  explicit CFormView(UINT templateId) : CDialog(templateId) {}

  // Creates the form as a child of `parent` with the control id `id`; visible.
  bool CreateView(HWND parent, UINT id = kDefaultId);

  // The form's size in pixels when it was created (the template's size in its font).
  SIZE FormSize() const { return m_formSize; }

  // Runs OnInitialUpdate once, after the frame has placed the view.
  void InitialUpdate();

  // After the frame moved to a monitor of another scale: the form, its controls and the
  // template's font grow or shrink by the ratio of the new dpi to the old (Windows scales
  // only top-level dialogs by itself), FormSize with them; then OnDpiChanged.
  void RescaleForDpi();

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  virtual void OnInitialUpdate() {}
  // Fonts of the form's own making are made again for the new dpi here.
  virtual void OnDpiChanged(int) {}
  void OnOK() override {}
  void OnCancel() override {}

 private:
  SIZE m_formSize{};
  int m_dpi = 96;
  UniqueFont m_scaledFont;  // the template's font at the present dpi, once it changed
  bool m_initialUpdateDone = false;
};

}  // namespace moji
