// CFrameWindow: a program's main window with menu bar, accelerators, toolbar, a one-pane
// status bar and one view child filling the space between them, and the command table.
//
//   class CMainFrame : public CFrameWindow {
//    protected:
//     bool OnCreate(CREATESTRUCTW* cs) override {
//       return CreateToolBar(IDR_MAINFRAME) && CreateStatusBar();   // false fails Create
//     }
//   };
//   CMainFrame frame;
//   frame.Commands().Add(ID_FILE_OPEN, [&] { ... });               // see CommandTable.h
//   frame.Create(IDR_MAINFRAME, L"Mojiview", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 40, 40, w, h);
//   view.CreateView(frame.Handle());                               // a CFormView
//   frame.SetView(&view);                                          // view.FormSize() for sizing
//   view.InitialUpdate();
//   frame.SetQuitOnDestroy(true);
//   ShowWindow(frame.Handle(), SW_SHOW);
//   CMessageLoop loop;
//   loop.AddIdleHandler([&] { frame.OnIdle(); });
//   loop.Run();
//
// What the frame does by itself:
//   - WM_COMMAND from the menu, an accelerator or the toolbar: Commands().Execute(id)
//     (nothing happens for a disabled command); ids not in the table go to the default.
//   - WM_INITMENUPOPUP: the recent-file items, then Commands().UpdateMenu(popup).
//     OnIdle: Commands().UpdateToolbar.
//   - PreTranslateMessage: the accelerator table of the resource id (key messages).
//   - Prompts: the string-table text of a command id is "status prompt\ntooltip". The
//     status bar shows the prompt of the highlighted menu item or hot toolbar button and
//     otherwise the idle text (string IDS_IDLE_MESSAGE); tooltips show the second part.
//   - Layout on WM_SIZE: toolbar at the top, status bar at the bottom, view between.
//   - WM_SETFOCUS goes on to the view.
//   - Sizes follow the dpi of the window's monitor (Dpi.h), also after WM_DPICHANGED.
#pragma once

#include <string>

#include "CommandTable.h"
#include "FrameGeometry.h"
#include "RecentFileList.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "Window.h"

namespace moji {

class CFrameWindow : public CWindow {
 public:
  // Creates the top-level window with the menu, accelerators and icon of `resourceId`.
  bool Create(UINT resourceId, const std::wstring& title, DWORD style = WS_OVERLAPPEDWINDOW,
              int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int width = CW_USEDEFAULT, int height = CW_USEDEFAULT,
              DWORD exStyle = 0);

  CCommandTable& Commands() { return m_commands; }
  HMENU Menu() const { return m_menu; }
  HACCEL Accelerators() const { return m_accelerators; }
  CToolBar& ToolBar() { return m_toolBar; }
  CStatusBar& StatusBar() { return m_statusBar; }

  // Usually called from OnCreate; see CToolBar and CStatusBar.
  bool CreateToolBar(UINT resourceId) { return m_toolBar.Create(Handle(), resourceId); }
  bool CreateStatusBar();

  // A recent-file list whose menu items are rebuilt on WM_INITMENUPOPUP (before the
  // command table updates the states); null for none. It must outlive the window.
  void SetRecentFileList(CRecentFileList* list) { m_recentFiles = list; }

  // The view's window fills the space between toolbar and status bar. Only its handle is
  // kept, so the view object may go before the frame.
  void SetView(CWindow* view);
  CWindow* View() const { return FromHandle(m_viewWindow); }
  void RecalcLayout();

  void SetStatusText(const std::wstring& text) { m_statusBar.SetPaneText(text); }
  void ShowIdlePrompt();

  // The fixed width and minimum height around a form of `formSize` with the frame's bars
  // (FrameGeometry.h); the window is sized to them without moving.
  FrameSize FitFrameToForm(SIZE formSize);
  // FitFrameToForm after a change of scale, keeping the height of the rectangle the system
  // suggested where that is more than the minimum.
  FrameSize RefitFrameToForm(SIZE formSize, const RECT& suggested);
  // WM_GETMINMAXINFO of a frame of `size` (ApplyFrameLimits); with `fixedHeight` the frame
  // cannot be made taller than its minimum height either.
  static void LimitTracking(MINMAXINFO& info, const FrameSize& size, bool fixedHeight);

  // Updates the toolbar buttons from the commands' predicates. Called from the message
  // loop's idle processing, after each command, when a modal loop owned by the frame waits
  // (WM_ENTERIDLE) and once the program has set up its commands.
  virtual void OnIdle();

  // Post WM_QUIT when the window is destroyed (the program's main window).
  void SetQuitOnDestroy(bool quit) { m_quitOnDestroy = quit; }

  bool PreTranslateMessage(MSG& msg) override;

  // The two parts of a command's string-table text "prompt\ntooltip".
  static std::wstring CommandPrompt(UINT id);
  static std::wstring CommandTooltip(UINT id);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(NMHDR* header, LRESULT& result) override;
  void OnSize(UINT type, int width, int height) override;
  bool OnSetFocus(HWND previous) override;
  void OnDestroy() override;
  // The session ends (logoff, shutdown, restart): the process is ended after this returns,
  // without its normal exit, so whatever must reach the disk or the registry is done here.
  // The frame answers the question before it (WM_QUERYENDSESSION) with yes.
  virtual void OnEndSession() {}
  // The window moved to a monitor of another scale (WM_DPICHANGED, Windows 8.1 and later):
  // icons, toolbar images and the status bar's font are made again for `dpi` and the window
  // takes the rectangle the system suggests. A frame whose size follows its contents sizes
  // itself again after this.
  virtual void OnDpiChanged(int dpi, const RECT& suggested);

 private:
  void SetIconsForDpi();

  CCommandTable m_commands;
  CToolBar m_toolBar;
  CStatusBar m_statusBar;
  HWND m_viewWindow = nullptr;
  CRecentFileList* m_recentFiles = nullptr;
  HMENU m_menu = nullptr;
  HACCEL m_accelerators = nullptr;
  UINT m_iconId = 0;
  bool m_quitOnDestroy = false;
  std::wstring m_tooltip;  // text handed to a tooltip; must outlive the notification
};

}  // namespace moji
