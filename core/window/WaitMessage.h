// CWaitMessage: the "please wait" box shown while long work runs on the user-interface
// thread. It is visible from construction to destruction; keep the object on the stack
// around the work, so that every way out of the work removes the box.
//
//   {
//     CWaitMessage wait;                          // template text "処理中です。..."
//     CWaitMessage wait(IDS_STARTING);            // or a string-table text
//     CWaitMessage wait(IDS_WAIT_SEARCHING, owner);
//     ... long work ...
//   }
//
// Template IDD_WAIT_MESSAGE (CoreRes.h, WaitMessage.rc). The box is centred on its parent,
// or on the desktop without one, and painted before the constructor returns.
#pragma once

#include "Dialog.h"

namespace moji {

class CWaitMessage : public CDialog {
 public:
  // `stringId` 0, or a string that is missing or empty, leaves the template's text.
  explicit CWaitMessage(UINT stringId = 0, HWND parent = nullptr);
  ~CWaitMessage() override;

  // The box cannot be run modally: returns 0 at once and shows nothing.
  INT_PTR DoModal(HWND) override { return 0; }

  HWND TextControl() const { return Item(m_textId); }

 private:
  int m_textId;
};

}  // namespace moji
