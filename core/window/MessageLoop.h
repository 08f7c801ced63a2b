// CMessageLoop: the programs' message loop with pre-translation and idle processing.
//
//   CMessageLoop loop;
//   loop.AddIdleHandler([&] { frame.OnIdle(); });   // e.g. toolbar buttons enabled/disabled
//   return loop.Run();                               // until WM_QUIT
//
// Pre-translation (PreTranslate): before a queued message is dispatched, the objects of its
// window and of that window's parents (up to the top-level window) are asked in turn,
// innermost first, through CWindow::PreTranslateMessage; the first that answers true
// consumes the message. This is where a control intercepts its own private messages and
// keys, a view its posted messages, a dialog its keyboard navigation and a frame its
// accelerators (CFrameWindow). Modal dialogs (CDialog::DoModal) use the same chain.
//
// Idle processing: once the queue has run empty after messages other than painting and
// timers, every idle handler runs once before the loop waits again.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace moji {

class CMessageLoop {
 public:
  void AddIdleHandler(std::function<void()> handler) { m_idleHandlers.push_back(std::move(handler)); }

  // Runs until WM_QUIT; returns its exit code.
  int Run();

  // Processes the messages already queued, without waiting, then the idle handlers once.
  // False when WM_QUIT was taken from the queue (it is posted again for an outer loop).
  bool RunPending();

  // The pre-translation chain (see above); true when the message was consumed.
  static bool PreTranslate(MSG& msg);

 private:
  void Idle();
  static bool IsIdleMessage(const MSG& msg);

  std::vector<std::function<void()>> m_idleHandlers;
};

}  // namespace moji
