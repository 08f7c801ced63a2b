// CWindow: the base of every window class of the programs. An object is attached to one
// window handle and receives that window's messages through the virtual WindowProc, which
// hands the common ones to the virtual On... members below; whatever a member does not
// handle goes to the window's default processing (Default / DefaultProc).
//
// Three ways to attach an object:
//   - CreateEx: a new window of a class registered by this layer (frames, plain children);
//   - SubclassWindow / SubclassDlgItem: an existing control (an edit or list box of a
//     dialog template); its original window procedure stays the default processing;
//   - CDialog (Dialog.h): dialogs from resource templates.
//
// Lifetime: the object is owned by C++ code (a member or a stack object). A window created
// by the object is destroyed by the destructor if it still exists; a subclassed control is
// given its original window procedure back. When the window goes first (WM_NCDESTROY) the
// object is detached and OnFinalMessage runs. Objects are looked up per thread: FromHandle
// finds only objects attached on the calling thread.
//
// Messages sent by a child control to its parent (colours, owner drawing, notifications,
// commands, scrolling) are first offered to the child's object through OnReflectedMessage,
// so a control class can handle its own WM_CTLCOLORSTATIC or WM_DRAWITEM.
#pragma once

#include <windows.h>

#include <string>

namespace moji {

class CWindow {
 public:
  CWindow() = default;
  virtual ~CWindow();
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;

  HWND Handle() const { return m_hwnd; }
  bool IsWindow() const { return m_hwnd != nullptr && ::IsWindow(m_hwnd); }

  // The object attached to `hwnd` on this thread, or nullptr.
  static CWindow* FromHandle(HWND hwnd);

  // Registers (once per process) a window class whose window procedure is this layer's,
  // and returns its name. Windows of such a class created with CreateEx get their object
  // attached before their first message (even before WM_NCCREATE).
  static const wchar_t* RegisterWindowClass(const wchar_t* name, UINT classStyle = CS_DBLCLKS,
                                            HICON icon = nullptr, HCURSOR cursor = nullptr,
                                            HBRUSH background = nullptr);
  // The default class: CS_DBLCLKS, arrow cursor, COLOR_WINDOW background.
  static const wchar_t* DefaultClass();

  // CreateWindowExW with this object attached. `className` must have been registered by
  // RegisterWindowClass (nullptr = DefaultClass()). `menuOrId` is the menu of a top-level
  // window or the id of a child. False when the window could not be created.
  bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menuOrId);

  // Attaches to an existing window of this thread and routes its messages through this
  // object; its own window procedure becomes the default processing.
  bool SubclassWindow(HWND hwnd);
  bool SubclassDlgItem(int id, HWND parent);
  // Gives the window its original procedure back and detaches; returns the handle.
  HWND UnsubclassWindow();

  // DestroyWindow; the object stays usable for a new window.
  void Destroy();

  // The message being processed sent on to the default processing.
  LRESULT Default();
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hwnd, msg, wParam, lParam);
  }
  std::wstring GetText() const;
  void SetText(const std::wstring& text) const { ::SetWindowTextW(m_hwnd, text.c_str()); }

  // Moves the window so that its centre lies on the centre of `over`; with `over` null,
  // on the centre of the desktop window.
  void CenterOver(HWND over) const;

  // Offered every queued message of this window or of its child windows before it is
  // dispatched (see CMessageLoop::PreTranslate); true consumes the message.
  virtual bool PreTranslateMessage(MSG& msg);

 protected:
  // The message entry point of this object; the default dispatches to the members below.
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Handlers return true when they handled the message, false for the default processing.
  virtual bool OnCreate(CREATESTRUCTW* cs);  // false fails the creation
  virtual void OnDestroy() {}
  virtual bool OnClose() { return false; }
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  virtual bool OnNotify(NMHDR* header, LRESULT& result);
  virtual void OnSize(UINT type, int width, int height);
  virtual bool OnPaint() { return false; }
  virtual bool OnSetFocus(HWND previous);
  virtual bool OnKillFocus(HWND next);
  virtual bool OnContextMenu(HWND window, POINT screen);
  // A message that the parent received about this control (see the file comment).
  virtual bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // After WM_NCDESTROY, once the object is detached.
  virtual void OnFinalMessage() {}

  // For CDialog: the dialog manager's default processing is "not handled".
  void SetDialogMode() { m_dialog = true; }
  bool m_defaultCalled = false;

 private:
  friend class CDialog;
  static LRESULT CALLBACK StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK StaticSubclassProc(HWND, UINT, WPARAM, LPARAM);
  // The object whose window is being created on this thread: attached to the first
  // window that reaches one of our procedures without an object.
  static void SetCreating(CWindow* window);
  static CWindow* AttachCreating(HWND hwnd);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Attach(HWND hwnd);
  void Detach();

  HWND m_hwnd = nullptr;
  WNDPROC m_originalProc = nullptr;  // set while subclassed
  bool m_created = false;            // the window was created by this object
  bool m_dialog = false;
  MSG m_current{};                   // the message being dispatched (for Default)
};

}  // namespace moji
