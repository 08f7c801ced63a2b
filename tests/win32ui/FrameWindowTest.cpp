// The frame with the browser's menu, accelerators and toolbar: one command table decides
// for menu items, toolbar buttons and accelerators alike; prompts, layout, the test query.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "CommandStateQuery.h"
#include "FormView.h"
#include "FrameWindow.h"
#include "MojiviewRes.h"
#include "UiTestSupport.h"

namespace moji {
namespace {

class TestFrame : public CFrameWindow {
 protected:
  bool OnCreate(CREATESTRUCTW*) override {
    return CreateToolBar(IDR_MAINFRAME) && CreateStatusBar() &&
           ToolBar().SetImageList(IDB_TOOLBAR24, TOOLBAR_IMAGE_SIZE, TOOLBAR24_MASK_COLOR);
  }
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& commands = frame.Commands();
    commands.Add(ID_DATA_RELOAD, [this] { ++reloads; }, [this] { return shown; });
    commands.Add(ID_EDIT_COPY, [this] { ++copies; }, [this] { return hasGlyph; });
    commands.Add(ID_JUMP_CODE, [this] { ++jumps; });
    commands.Add(ID_GAIJI_MANAGER, nullptr, [] { return false; });
    commands.AddRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [this](UINT id) { lastRecent = id; },
                      [this](UINT id) { return id - ID_FILE_MRU_FIRST < recentCount; });
    commands.SetMenuText(ID_APP_ABOUT, L"Mojiview のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    ASSERT_TRUE(frame.Create(IDR_MAINFRAME, L"Mojiview", WS_OVERLAPPEDWINDOW, 40, 40, 700, 600));
    ASSERT_TRUE(view.CreateView(frame.Handle()));
    frame.SetView(&view);
    ShowWindow(frame.Handle(), SW_SHOW);
    SetForegroundWindow(frame.Handle());
    SetFocus(view.Item(IDC_GAIJI_LIST));
    test::Pump();
  }

  bool MenuEnabled(int popup, UINT id) {
    HMENU menu = GetSubMenu(frame.Menu(), popup);
    SendMessageW(frame.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(popup, FALSE));
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
  }
  bool ButtonEnabled(UINT id) {
    frame.OnIdle();
    return frame.ToolBar().IsButtonEnabled(id);
  }
  // A key as it arrives at the focused control, through the message loop.
  void PressKey(WORD key, bool control) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    HWND target = GetFocus() ? GetFocus() : frame.Handle();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    test::Pump();
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
  }

  TestFrame frame;
  CFormView view{IDD_GLYPHVIEW_FORM};
  bool shown = false, hasGlyph = false;
  UINT recentCount = 0;
  int reloads = 0, copies = 0, jumps = 0;
  UINT lastRecent = 0;
};

TEST_F(FrameTest, MenusFollowTheEnablingPredicates) {
  EXPECT_FALSE(MenuEnabled(0, ID_DATA_RELOAD));
  EXPECT_FALSE(MenuEnabled(0, ID_FILE_MRU_FIRST));  // empty recent-file list
  EXPECT_FALSE(MenuEnabled(0, ID_FILE_NEW));        // no entry in the table
  EXPECT_FALSE(MenuEnabled(3, ID_GAIJI_MANAGER));
  EXPECT_TRUE(MenuEnabled(2, ID_JUMP_CODE));
  shown = true;
  recentCount = 1;
  EXPECT_TRUE(MenuEnabled(0, ID_DATA_RELOAD));
  EXPECT_TRUE(MenuEnabled(0, ID_FILE_MRU_FIRST));
  EXPECT_FALSE(MenuEnabled(3, ID_GAIJI_MANAGER));
  // A replaced text is put in at each update.
  MenuEnabled(4, ID_APP_ABOUT);
  wchar_t text[128] = {};
  GetMenuStringW(frame.Menu(), ID_APP_ABOUT, text, 128, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"Mojiview のﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

TEST_F(FrameTest, AcceleratorsRunOnlyEnabledCommands) {
  PressKey(VK_F2, false);
  EXPECT_EQ(jumps, 1);
  PressKey(VK_F5, false);
  EXPECT_EQ(reloads, 0);
  // The system does not check the menu for a command that is not in it; the command
  // table still does.
  ASSERT_TRUE(DeleteMenu(frame.Menu(), ID_DATA_RELOAD, MF_BYCOMMAND));
  PressKey(VK_F5, false);
  EXPECT_EQ(reloads, 0);
  shown = true;
  PressKey(VK_F5, false);
  EXPECT_EQ(reloads, 1);
  PressKey('C', true);
  PressKey('B', true);
  EXPECT_EQ(copies, 0);
  hasGlyph = true;
  PressKey('C', true);
  PressKey('B', true);
  EXPECT_EQ(copies, 2);
  PressKey('C', false);  // plain C is no accelerator
  EXPECT_EQ(copies, 2);
}

TEST_F(FrameTest, ToolbarButtonsFollowThePredicatesAndCommandsAreGatedOnEveryRoute) {
  EXPECT_EQ(frame.ToolBar().Items(),
            (std::vector<UINT>{ID_FILE_NEW, ID_FILE_OPEN, 0, ID_EDIT_COPY, 0, ID_JUMP_CODE, 0, ID_GAIJI_MANAGER,
                               ID_CODE_PRINT}));
  EXPECT_FALSE(ButtonEnabled(ID_EDIT_COPY));
  EXPECT_FALSE(ButtonEnabled(ID_GAIJI_MANAGER));
  EXPECT_TRUE(ButtonEnabled(ID_JUMP_CODE));
  // A command sent as if from a disabled button, or posted, does not run.
  SendMessageW(frame.Handle(), WM_COMMAND, ID_EDIT_COPY, reinterpret_cast<LPARAM>(frame.ToolBar().Handle()));
  PostMessageW(frame.Handle(), WM_COMMAND, ID_EDIT_COPY, 0);
  test::Pump();
  EXPECT_EQ(copies, 0);
  hasGlyph = true;
  EXPECT_TRUE(ButtonEnabled(ID_EDIT_COPY));
  // A click on the enabled button (mouse messages posted to the toolbar).
  RECT rect{};
  SendMessageW(frame.ToolBar().Handle(), TB_GETRECT, ID_EDIT_COPY, reinterpret_cast<LPARAM>(&rect));
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(frame.ToolBar().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(frame.ToolBar().Handle(), WM_LBUTTONUP, 0, at);
  test::Pump();
  EXPECT_EQ(copies, 1);
  // The idle handler of the message loop is what keeps the toolbar current.
  hasGlyph = false;
  CMessageLoop loop;
  loop.AddIdleHandler([this] { frame.OnIdle(); });
  loop.RunPending();
  EXPECT_FALSE(frame.ToolBar().IsButtonEnabled(ID_EDIT_COPY));
}

TEST_F(FrameTest, PromptsAndTooltipsComeFromTheCommandStrings) {
  const std::wstring idle = L"ﾚﾃﾞｨ";
  EXPECT_EQ(frame.StatusBar().PaneText(), idle);
  SendMessageW(frame.Handle(), WM_MENUSELECT, MAKEWPARAM(ID_EDIT_COPY, MF_STRING),
               reinterpret_cast<LPARAM>(GetSubMenu(frame.Menu(), 1)));
  EXPECT_EQ(frame.StatusBar().PaneText(), L"選択中外字ﾋﾞｯﾄﾏｯﾌﾟをｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存");
  SendMessageW(frame.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // menu closed
  EXPECT_EQ(frame.StatusBar().PaneText(), idle);

  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = nullptr;
  info.hdr.idFrom = ID_JUMP_CODE;
  info.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(frame.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_TRUE(info.lpszText);
  EXPECT_STREQ(info.lpszText, L"指定文字ｺｰﾄﾞへ");

  NMTBHOTITEM hot{};
  hot.hdr.hwndFrom = frame.ToolBar().Handle();
  hot.hdr.code = TBN_HOTITEMCHANGE;
  hot.idNew = ID_CODE_PRINT;
  SendMessageW(frame.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
  EXPECT_EQ(frame.StatusBar().PaneText(), L"[外部ﾌﾟﾛｸﾞﾗﾑ起動]\u3000外字一覧表をﾌﾟﾘﾝﾀに出力");
  hot.dwFlags = HICF_LEAVING;
  SendMessageW(frame.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
  EXPECT_EQ(frame.StatusBar().PaneText(), idle);
}

TEST_F(FrameTest, TheViewFillsTheSpaceBetweenToolbarAndStatusBar) {
  RECT client{}, viewRect{};
  GetClientRect(frame.Handle(), &client);
  GetWindowRect(view.Handle(), &viewRect);
  MapWindowPoints(nullptr, frame.Handle(), reinterpret_cast<POINT*>(&viewRect), 2);
  EXPECT_GT(frame.ToolBar().Height(), 24);
  EXPECT_EQ(viewRect.top, frame.ToolBar().Height());
  EXPECT_EQ(viewRect.bottom, client.bottom - frame.StatusBar().Height());
  EXPECT_EQ(viewRect.right - viewRect.left, client.right);
  // The form's own size is that of its template.
  RECT units{0, 0, 350, 212};
  MapDialogRect(view.Handle(), &units);
  EXPECT_EQ(view.FormSize().cx, units.right);
  EXPECT_EQ(view.FormSize().cy, units.bottom);
  // Enter and Esc in the form do not end it.
  PressKey(VK_RETURN, false);
  PressKey(VK_ESCAPE, false);
  EXPECT_TRUE(IsWindow(view.Handle()));
}

TEST_F(FrameTest, TheTestQueryReportsMenuAndToolbarStatesAcrossThreads) {
  shown = true;
  auto states = QueryCommandStates(frame.Handle());
  ASSERT_TRUE(states);
  auto find = [&](const std::vector<CommandState>& list, wchar_t kind, UINT id) -> const CommandState* {
    for (const auto& s : list)
      if (s.kind == kind && s.id == id) return &s;
    return nullptr;
  };
  ASSERT_TRUE(find(*states, L'M', ID_DATA_RELOAD));
  EXPECT_TRUE(find(*states, L'M', ID_DATA_RELOAD)->enabled);
  EXPECT_EQ(find(*states, L'M', ID_DATA_RELOAD)->text, L"ﾃﾞｰﾀを最新にする(&R)\tF5");
  EXPECT_FALSE(find(*states, L'M', ID_EDIT_COPY)->enabled);
  EXPECT_FALSE(find(*states, L'M', ID_FILE_MRU_FIRST)->enabled);
  EXPECT_EQ(find(*states, L'M', ID_APP_ABOUT)->text, L"Mojiview のﾊﾞｰｼﾞｮﾝ情報(&A)...");
  ASSERT_TRUE(find(*states, L'T', ID_JUMP_CODE));
  EXPECT_TRUE(find(*states, L'T', ID_JUMP_CODE)->enabled);
  EXPECT_FALSE(find(*states, L'T', ID_GAIJI_MANAGER)->enabled);
  size_t menuItems = 0;
  for (const auto& s : *states) menuItems += s.kind == L'M';
  EXPECT_EQ(menuItems, 24u);  // every command item of the menu bar

  // From another thread, as from another process: the frame's thread keeps pumping.
  hasGlyph = true;
  std::atomic<bool> done{false};
  std::optional<std::vector<CommandState>> remote;
  std::thread asker([&] {
    remote = QueryCommandStates(frame.Handle());
    done = true;
  });
  for (int i = 0; i < 500 && !done; ++i) {
    test::Pump();
    Sleep(10);
  }
  asker.join();
  ASSERT_TRUE(remote);
  EXPECT_TRUE(find(*remote, L'M', ID_EDIT_COPY)->enabled);
  EXPECT_TRUE(find(*remote, L'T', ID_EDIT_COPY)->enabled);

  // The frame itself does not answer the query: only the hook the asker loads does.
  static int replies = 0;
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (msg == WM_COPYDATA) ++replies;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MojiUnhookedAsker";
  RegisterClassW(&wc);
  HWND unhooked = CreateWindowExW(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(unhooked);
  EXPECT_EQ(SendMessageW(frame.Handle(), CommandStateQueryMessage(), reinterpret_cast<WPARAM>(unhooked), 0), 0);
  test::Pump();
  EXPECT_EQ(replies, 0);
  DestroyWindow(unhooked);

  // The reply format survives texts with tabs and odd lines.
  EXPECT_EQ(ParseCommandStates(L"M\t5\t1\ta\tb\nbroken\nT\t7\t0\n").size(), 2u);
}

}  // namespace
}  // namespace moji
