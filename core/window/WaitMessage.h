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
// Work that recurs and is short beside the making of a box keeps one hidden box and shows
// it for each run:
//
//   CWaitMessage box(IDS_WAIT_SEARCHING, owner, false);   // made once, hidden
//   box.Show();  ... work ...  box.Hide();
//
// Template IDD_WAIT_MESSAGE (CoreRes.h, WaitMessage.rc). The box is centred on its parent,
// or on the desktop without one, and painted before the constructor returns.
#pragma once

#include "Dialog.h"

namespace moji {

class CWaitMessage : public CDialog {
 public:
  // `stringId` 0, or a string that is missing or empty, leaves the template's text.
  // `shown` false leaves the box hidden until Show.
  explicit CWaitMessage(UINT stringId = 0, HWND parent = nullptr, bool shown = true);
  ~CWaitMessage() override;

  // Centres the box over its parent again, shows it and paints it before returning.
  void Show();
  void Hide();

  // The box cannot be run modally: returns 0 at once and shows nothing.
  INT_PTR DoModal(HWND) override { return 0; }

  HWND TextControl() const { return Item(m_textId); }

 private:
  int m_textId;
  HWND m_parent;
};

}  // namespace moji
