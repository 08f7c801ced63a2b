// CWindow, CDialog and the message loop: attachment, dispatch, reflection, subclassing,
// modal and modeless dialogs, pre-translation.
#include <windows.h>

#include <gtest/gtest.h>

#include "Dialog.h"
#include "MessageLoop.h"
#include "MojiviewRes.h"
#include "UiTestSupport.h"
#include "Window.h"

namespace moji {
namespace {

class RecordingWindow : public CWindow {
 public:
  int creates = 0, sizes = 0, finals = 0, commands = 0;
  bool sawMinMaxBeforeCreate = false;
  UINT lastCommand = 0;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_GETMINMAXINFO && creates == 0) sawMinMaxBeforeCreate = true;
    return CWindow::WindowProc(msg, wParam, lParam);
  }
  bool OnCreate(CREATESTRUCTW*) override {
    ++creates;
    return true;
  }
  void OnSize(UINT, int, int) override { ++sizes; }
  bool OnCommand(UINT id, UINT, HWND) override {
    ++commands;
    lastCommand = id;
    return true;
  }
  void OnFinalMessage() override { ++finals; }
};

// A static control that answers its own colour message and click notification.
class ReflectingStatic : public CWindow {
 public:
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  int clicks = 0;

 protected:
  bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (msg == WM_CTLCOLORSTATIC) {
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
      ++clicks;
      result = 0;
      return true;
    }
    return false;
  }
};

TEST(WindowLayer, WindowsGetTheirObjectFromTheFirstMessageToTheLast) {
  HWND hwnd = nullptr;
  {
    RecordingWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, L"test", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr));
    hwnd = window.Handle();
    EXPECT_EQ(CWindow::FromHandle(hwnd), &window);
    EXPECT_EQ(window.creates, 1);
    EXPECT_TRUE(window.sawMinMaxBeforeCreate);  // even messages before WM_NCCREATE arrive
    SetWindowPos(hwnd, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GE(window.sizes, 1);
    SendMessageW(hwnd, WM_COMMAND, 123, 0);
    EXPECT_EQ(window.lastCommand, 123u);
  }
  // The object created the window, so its destructor destroyed it.
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);

  RecordingWindow window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, L"test", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr));
  hwnd = window.Handle();
  DestroyWindow(hwnd);
  EXPECT_EQ(window.finals, 1);
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);
  // The object can make a new window afterwards.
  EXPECT_TRUE(window.CreateEx(0, nullptr, L"again", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
}

TEST(WindowLayer, SubclassedControlsKeepTheirBehaviourAndGetItBack) {
  CWindow parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
  HWND control = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 100, 20,
                                 parent.Handle(), reinterpret_cast<HMENU>(77), GetModuleHandleW(nullptr), nullptr);
  const LONG_PTR original = GetWindowLongPtrW(control, GWLP_WNDPROC);
  {
    ReflectingStatic object;
    ASSERT_TRUE(object.SubclassDlgItem(77, parent.Handle()));
    EXPECT_FALSE(ReflectingStatic().SubclassWindow(control));  // one object per window
    // Default processing is the control's own.
    object.SetText(L"changed");
    EXPECT_EQ(object.GetText(), L"changed");
    // The parent reflects the control's messages to it.
    HDC dc = GetDC(control);
    EXPECT_EQ(SendMessageW(parent.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(control)),
              reinterpret_cast<LRESULT>(object.brush));
    ReleaseDC(control, dc);
    SendMessageW(parent.Handle(), WM_COMMAND, MAKEWPARAM(77, STN_CLICKED), reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(object.clicks, 1);
  }
  // The object is gone: the control has its own procedure again and still exists.
  EXPECT_EQ(GetWindowLongPtrW(control, GWLP_WNDPROC), original);
  EXPECT_TRUE(IsWindow(control));
  EXPECT_EQ(CWindow::FromHandle(control), nullptr);
}

// A dialog on the about template that ends itself in various ways.
class ScriptedDialog : public CDialog {
 public:
  ScriptedDialog() : CDialog(IDD_ABOUTBOX) {}
  enum class Plan { EndThroughPreTranslate, PostCancel, PostQuit } plan = Plan::EndThroughPreTranslate;
  HWND owner = nullptr;
  bool ownerEnabledInside = true;
  bool sawPreTranslate = false;

 protected:
  bool OnInitDialog() override {
    ownerEnabledInside = owner && IsWindowEnabled(owner);
    switch (plan) {
      case Plan::EndThroughPreTranslate: PostMessageW(Handle(), WM_APP + 5, 0, 0); break;
      case Plan::PostCancel: PostMessageW(Handle(), WM_COMMAND, IDCANCEL, 0); break;
      case Plan::PostQuit: PostQuitMessage(7); break;
    }
    return true;
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == WM_APP + 5) {
      sawPreTranslate = true;
      EndDialog(42);
      return true;
    }
    return CDialog::PreTranslateMessage(msg);
  }
};

TEST(WindowLayer, ModalDialogsRunTheirOwnLoopWithPreTranslation) {
  CWindow owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));

  ScriptedDialog dialog;
  dialog.owner = owner.Handle();
  EXPECT_EQ(dialog.DoModal(owner.Handle()), 42);
  EXPECT_TRUE(dialog.sawPreTranslate);
  EXPECT_FALSE(dialog.ownerEnabledInside);      // the owner is disabled while it runs
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));  // and enabled again afterwards
  EXPECT_EQ(dialog.Handle(), nullptr);

  dialog.plan = ScriptedDialog::Plan::PostCancel;
  EXPECT_EQ(dialog.DoModal(owner.Handle()), IDCANCEL);  // the same object runs again

  // WM_QUIT ends the dialog and stays for the outer loop.
  dialog.plan = ScriptedDialog::Plan::PostQuit;
  EXPECT_EQ(dialog.DoModal(owner.Handle()), -1);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

  CDialog missing(9999);
  EXPECT_EQ(missing.DoModal(owner.Handle()), -1);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(WindowLayer, ModelessDialogsEndByDestruction) {
  CDialog dialog(IDD_ABOUTBOX);
  ASSERT_TRUE(dialog.Create(nullptr));
  HWND hwnd = dialog.Handle();
  EXPECT_EQ(CWindow::FromHandle(hwnd), &dialog);
  EXPECT_EQ(dialog.ItemText(IDC_ABOUT_UPDATE), L"自動更新...");
  PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
  test::Pump();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(dialog.Handle(), nullptr);
}

// The chain offers a message to the control first, then to its parents.
class Interceptor : public CWindow {
 public:
  explicit Interceptor(UINT take) : m_take(take) {}
  std::vector<UINT> seen, dispatched;
  bool PreTranslateMessage(MSG& msg) override {
    seen.push_back(msg.message);
    return msg.message == m_take;
  }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg >= WM_APP) dispatched.push_back(msg);
    return CWindow::WindowProc(msg, wParam, lParam);
  }

 private:
  UINT m_take;
};

TEST(WindowLayer, PreTranslationRunsFromTheControlUpToItsTopLevelWindow) {
  Interceptor top(WM_APP + 2);
  ASSERT_TRUE(top.CreateEx(0, nullptr, L"top", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
  Interceptor child(WM_APP + 1);
  ASSERT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD, 0, 0, 10, 10, top.Handle(), nullptr));
  PostMessageW(child.Handle(), WM_APP + 1, 0, 0);  // taken by the child
  PostMessageW(child.Handle(), WM_APP + 2, 0, 0);  // passed up, taken by the top window
  PostMessageW(child.Handle(), WM_APP + 3, 0, 0);  // nobody takes it: dispatched
  test::Pump();
  EXPECT_EQ(child.seen, (std::vector<UINT>{WM_APP + 1, WM_APP + 2, WM_APP + 3}));
  EXPECT_EQ(top.seen, (std::vector<UINT>{WM_APP + 2, WM_APP + 3}));
  EXPECT_EQ(child.dispatched, (std::vector<UINT>{WM_APP + 3}));
}

}  // namespace
}  // namespace moji
