// CFormView: a child dialog from a template with the WS_CHILD style that fills a frame's
// view area (CFrameWindow::SetView). Its controls live in the template; a derived class
// subclasses them in OnInitDialog or OnInitialUpdate.
//
// Key messages of its controls first go to the frame's PreTranslateMessage (accelerators),
// then to the dialog manager's keyboard navigation; Enter and Esc do not end the form.
#pragma once

#include "Dialog.h"

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

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  virtual void OnInitialUpdate() {}
  void OnOK() override {}
  void OnCancel() override {}

 private:
  SIZE m_formSize{};
  bool m_initialUpdateDone = false;
};

}  // namespace moji
