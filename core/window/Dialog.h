// CDialog: a dialog box from a resource template of the running program, modal or modeless.
//
//   class CJumpDlg : public CDialog {
//    public:
//     CJumpDlg() : CDialog(IDD_JUMP) {}
//    protected:
//     bool OnInitDialog() override;                 // controls exist; subclass them here
//     bool OnCommand(UINT id, UINT code, HWND control) override;
//     void OnOK() override;                         // IDOK; the default ends with IDOK
//   };
//   CJumpDlg dlg;
//   if (dlg.DoModal(frame.Handle()) == IDOK) ...
//
// DoModal runs the dialog in this layer's own modal loop (not DialogBoxParam), so that
// PreTranslateMessage of the dialog and of its controls sees every message, as in the main
// loop (CMessageLoop::PreTranslate); the owner is disabled meanwhile. A WM_QUIT arriving
// during the modal loop ends the dialog with -1 and is posted again for the outer loop.
// Create makes a modeless dialog (or, with a WS_CHILD template, a child dialog, see
// CFormView). Messages reach the virtual members of CWindow; a message that no member
// handles gets the dialog manager's default processing. Owner-draw messages (measure,
// draw) that a child control answers itself reach that control before the dialog's own
// WindowProc.
#pragma once

#include "Window.h"

namespace moji {

class CDialog : public CWindow {
 public:
  explicit CDialog(UINT templateId) : m_templateId(templateId) {}

  UINT TemplateId() const { return m_templateId; }

  // Modal run; returns the value given to EndDialog, or -1 when the dialog could not be
  // created or the loop was ended by WM_QUIT. `owner` may be null.
  virtual INT_PTR DoModal(HWND owner);
  // Modeless (or child) dialog; visible when the template says WS_VISIBLE.
  bool Create(HWND parent);

  // Ends a modal run with `result`; destroys a modeless dialog.
  void EndDialog(INT_PTR result);
  bool IsModal() const { return m_modal; }

  // F1 in the dialog opens the programs' help at `context` (Help.h); 0, the default, leaves
  // the key to the dialog's controls.
  void SetHelpContext(UINT context) { m_helpContext = context; }

  HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text) const { ::SetDlgItemTextW(Handle(), id, text.c_str()); }

  // F1 (see SetHelpContext), then IsDialogMessage for this dialog: keyboard navigation
  // between its controls.
  bool PreTranslateMessage(MSG& msg) override;

 protected:
  // WM_INITDIALOG: true lets the dialog manager set the focus to the first control.
  virtual bool OnInitDialog() { return true; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  bool OnCommand(UINT id, UINT code, HWND control) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND, UINT, WPARAM, LPARAM);
  // In front of the dialog manager's window procedure: owner-draw messages that a control
  // answers itself (OnReflectedMessage) are answered here. The dialog manager would store
  // each answer in the window (DWLP_MSGRESULT), a round trip to the window manager per
  // message, and an owner-draw variable list asks its parent to measure every row it adds.
  static LRESULT CALLBACK StaticOwnerDrawProc(HWND, UINT, WPARAM, LPARAM);
  void RunModalLoop();

  UINT m_templateId;
  UINT m_helpContext = 0;
  bool m_modal = false;
  bool m_modalDone = false;
  INT_PTR m_result = -1;
  WNDPROC m_managerProc = nullptr;  // the dialog manager's procedure behind StaticOwnerDrawProc
};

}  // namespace moji
