// The browser's dialogs: jump to code, TTE file selection (with its bitmap browse button),
// the EUF creation question, and the message prompter.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "AddrJumpDlg.h"
#include "BitmapButton.h"
#include "EufMakeAnsDlg.h"
#include "Message.h"
#include "MessagePrompter.h"
#include "ModalDriver.h"
#include "MojiviewRes.h"
#include "ScreenCapture.h"
#include "Settings.h"
#include "TTELoadDlg.h"
#include "UiTestSupport.h"
#include "win32/Win32TestSupport.h"

namespace moji {
namespace {

namespace fs = std::filesystem;

struct Box {
  HWND owner;
  std::wstring text;
  UINT type;
};

// Records every message box while alive and answers with `answer`.
struct MessageRecorder {
  std::vector<Box> boxes;
  int answer = IDOK;
  MessageRecorder() {
    SetMessageBoxFunction([this](HWND owner, const std::wstring& text, const std::wstring&, UINT type) {
      boxes.push_back({owner, text, type});
      return answer;
    });
  }
  ~MessageRecorder() { SetMessageBoxFunction(nullptr); }
};

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

void Click(CDialog& dialog, int id) {
  dialog.Send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id)));
}

std::wstring FaceOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfFaceName;
}

const std::wstring kBadCode =
    L"指定のｺｰﾄﾞが１６進４桁でないか、外字の範囲にありません。\r\nｺｰﾄﾞは、ﾕﾆｺｰﾄﾞかS-JISｺｰﾄﾞの１６進４桁の外字ｺｰﾄﾞを入力して下さい。";

TEST(AddrJumpDlg, ValidatesConvertsAndRemembersTheCode) {
  MessageRecorder messages;
  const std::wstring startText = CAddrJumpDlg::LastCodeText();
  const int startType = CAddrJumpDlg::LastCodeType();
  {
    // A new dialog shows the remembered input; typed letters become capitals, four at most.
    CAddrJumpDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND edit = dialog.Item(IDC_JUMP_CODE);
    EXPECT_EQ(TextOf(dialog.Handle()), L"指定文字ｺｰﾄﾞへｼﾞｬﾝﾌﾟ");
    EXPECT_EQ(TextOf(edit), startText);
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), startType ? IDC_JUMP_SJIS : IDC_JUMP_UNICODE), BST_CHECKED);
    EXPECT_EQ(TextOf(dialog.Item(IDC_JUMP_UNICODE)), L"&Unicode");
    EXPECT_EQ(TextOf(dialog.Item(IDC_JUMP_SJIS)), L"&S-JIS");
    EXPECT_EQ(FaceOf(edit), L"ＭＳ ゴシック");
    EXPECT_NE(dialog.Send(WM_GETICON, ICON_BIG), 0);
    SetWindowTextW(edit, L"");
    for (wchar_t c : std::wstring(L"e000f")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(TextOf(edit), L"E000");
    SendMessageW(dialog.Item(IDC_JUMP_UNICODE), BM_CLICK, 0, 0);
    Click(dialog, IDOK);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(dialog.Result(), 0xE000);
    EXPECT_FALSE(dialog.IsWindow());  // ended
    EXPECT_EQ(CAddrJumpDlg::LastCodeText(), L"E000");
    EXPECT_EQ(CAddrJumpDlg::LastCodeType(), CAddrJumpDlg::kUnicode);
  }
  {
    CAddrJumpDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    ShowWindow(dialog.Handle(), SW_SHOW);
    SetForegroundWindow(dialog.Handle());
    HWND edit = dialog.Item(IDC_JUMP_CODE);
    EXPECT_EQ(TextOf(edit), L"E000");
    // The code rules themselves are ValidateTypedCode's; here one case of each kind.
    const struct {
      const wchar_t* text;
      int radio;
      int code;  // -1: refused
    } cases[] = {
        {L"F8FF", IDC_JUMP_UNICODE, 0xF8FF}, {L"F900", IDC_JUMP_UNICODE, -1}, {L"E00", IDC_JUMP_UNICODE, -1},
        {L"F080", IDC_JUMP_SJIS, 0xE03F},    {L"F07F", IDC_JUMP_SJIS, -1},    {L"E000", IDC_JUMP_SJIS, -1},
    };
    // Refused codes keep the dialog open with the focus on the code; accepted ones would end
    // it, so they are checked on dialogs of their own below.
    for (const auto& c : cases) {
      if (c.code >= 0) continue;
      messages.boxes.clear();
      SetWindowTextW(edit, c.text);
      SendMessageW(dialog.Item(c.radio), BM_CLICK, 0, 0);
      SetFocus(dialog.Item(IDOK));
      Click(dialog, IDOK);
      ASSERT_TRUE(dialog.IsWindow()) << c.text;
      ASSERT_EQ(messages.boxes.size(), 1u) << c.text;
      EXPECT_EQ(messages.boxes[0].text, kBadCode);
      EXPECT_EQ(messages.boxes[0].type, static_cast<UINT>(MB_OK));
      EXPECT_EQ(dialog.Result(), -1);
      EXPECT_EQ(GetFocus(), edit) << c.text;
    }
    EXPECT_EQ(CAddrJumpDlg::LastCodeText(), L"E000");  // refused input is not remembered
    Click(dialog, IDCANCEL);
    EXPECT_FALSE(dialog.IsWindow());
    for (const auto& c : cases) {
      if (c.code < 0) continue;
      CAddrJumpDlg accept;
      ASSERT_TRUE(accept.Create(nullptr));
      SetWindowTextW(accept.Item(IDC_JUMP_CODE), c.text);
      SendMessageW(accept.Item(c.radio), BM_CLICK, 0, 0);
      Click(accept, IDOK);
      EXPECT_EQ(accept.Result(), c.code) << c.text;
    }
  }
  {
    // After a jump to F041 as S-JIS the next dialog starts with it; Cancel changes nothing.
    CAddrJumpDlg jump;
    ASSERT_TRUE(jump.Create(nullptr));
    SetWindowTextW(jump.Item(IDC_JUMP_CODE), L"F041");
    SendMessageW(jump.Item(IDC_JUMP_SJIS), BM_CLICK, 0, 0);
    Click(jump, IDOK);
    EXPECT_EQ(jump.Result(), 0xE001);
    CAddrJumpDlg next;
    ASSERT_TRUE(next.Create(nullptr));
    EXPECT_EQ(TextOf(next.Item(IDC_JUMP_CODE)), L"F041");
    EXPECT_EQ(IsDlgButtonChecked(next.Handle(), IDC_JUMP_SJIS), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(next.Handle(), IDC_JUMP_UNICODE), BST_UNCHECKED);
    SetWindowTextW(next.Item(IDC_JUMP_CODE), L"E123");
    SendMessageW(next.Item(IDC_JUMP_UNICODE), BM_CLICK, 0, 0);
    Click(next, IDCANCEL);
    EXPECT_EQ(CAddrJumpDlg::LastCodeText(), L"F041");
    EXPECT_EQ(CAddrJumpDlg::LastCodeType(), CAddrJumpDlg::kShiftJis);
  }
  // The modal run hands back OK.
  CAddrJumpDlg modal;
  test::ModalDriver driver(L"#32770", [](HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  });
  EXPECT_EQ(modal.DoModal(nullptr), IDOK);
  EXPECT_EQ(modal.Result(), 0xE001);
}

// A TTE selection dialog whose folder browser answers from the test.
class ScriptedTTELoadDlg : public CTTELoadDlg {
 public:
  using CTTELoadDlg::CTTELoadDlg;
  std::optional<std::wstring> browsed;
  int browses = 0;

 protected:
  std::optional<std::wstring> BrowseForFolder() override {
    ++browses;
    return browsed;
  }
};

std::vector<std::wstring> ListEntries(HWND list) {
  std::vector<std::wstring> entries;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

TEST(TTELoadDlg, ListsTteFilesAndReturnsAnExistingPath) {
  test::ScratchFolder scratch(L"tte_load");
  const fs::path fonts = scratch / L"fonts";
  for (const wchar_t* name : {L"A.tte", L"b.TTE", L".hidden.tte", L"notes.txt", L"x.tte.bak", L"sub\\C.tte",
                              L"sub\\.d.tte", L"sub\\deeper\\E.tte", L".git\\F.tte"}) {
    fs::create_directories((fonts / name).parent_path());
    test::WriteBytes(fonts / name, "font");
  }
  fs::create_directories(fonts / L"folder.tte");  // a folder is no file
  fs::create_directories(scratch / L"empty");
  EXPECT_EQ(CTTELoadDlg::JoinPath(L"C:\\", L"A.tte"), L"C:\\A.tte");
  EXPECT_EQ(CTTELoadDlg::JoinPath(L"C:\\x", L"A.tte"), L"C:\\x\\A.tte");
  EXPECT_TRUE(CTTELoadDlg::ListTteFiles(L"").empty());
  EXPECT_TRUE(CTTELoadDlg::ListTteFiles((scratch / L"missing").wstring()).empty());

  CSettings settings(scratch.Folder());
  settings.tteFilePath = fonts.wstring();
  MessageRecorder messages;
  {
    ScriptedTTELoadDlg dialog(settings);
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(TextOf(dialog.Handle()), L"TTEﾌｧｲﾙを選択  [ 外字ﾌｫﾝﾄﾃﾞｰﾀの読込 ]");
    EXPECT_EQ(TextOf(dialog.Item(IDC_TTE_FOLDER)), fonts.wstring());
    EXPECT_EQ(FaceOf(dialog.Item(IDC_TTE_LIST)), L"ＭＳ ゴシック");
    EXPECT_EQ(FaceOf(dialog.Item(IDC_TTE_FOLDER)), L"ＭＳ ゴシック");
    HWND list = dialog.Item(IDC_TTE_LIST);
    EXPECT_EQ(ListEntries(list), (std::vector<std::wstring>{L"A.tte", L"b.TTE", L"sub\\C.tte"}));
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDOK)));

    // Open without a selection: 2040, the dialog stays.
    Click(dialog, IDOK);
    ASSERT_TRUE(dialog.IsWindow());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, L"TTEﾌｧｲﾙを選択して下さい。");

    SendMessageW(list, LB_SETCURSEL, 2, 0);
    Click(dialog, IDOK);
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_EQ(dialog.SelectedName(), L"sub\\C.tte");
    EXPECT_EQ(fs::path(dialog.ResultPath()), fonts / L"sub" / L"C.tte");
    EXPECT_TRUE(fs::is_regular_file(dialog.ResultPath()));
  }
  {
    // A double-click on an entry opens it.
    ScriptedTTELoadDlg dialog(settings);
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND list = dialog.Item(IDC_TTE_LIST);
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    dialog.Send(WM_COMMAND, MAKEWPARAM(IDC_TTE_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_EQ(fs::path(dialog.ResultPath()), fonts / L"b.TTE");
  }
  {
    // An empty folder disables open; browsing to the fonts saves the folder at once, fills
    // the list and enables open, and the folder stays after Cancel.
    settings.tteFilePath = (scratch / L"empty").wstring();
    ScriptedTTELoadDlg dialog(settings);
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_TRUE(ListEntries(dialog.Item(IDC_TTE_LIST)).empty());
    EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDOK)));
    dialog.browsed.reset();  // the user cancels the folder browser
    SendMessageW(dialog.Item(IDC_TTE_BROWSE), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.browses, 1);
    EXPECT_EQ(dialog.Folder(), (scratch / L"empty").wstring());
    dialog.browsed = fonts.wstring();
    SendMessageW(dialog.Item(IDC_TTE_BROWSE), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.browses, 2);
    EXPECT_EQ(TextOf(dialog.Item(IDC_TTE_FOLDER)), fonts.wstring());
    EXPECT_EQ(ListEntries(dialog.Item(IDC_TTE_LIST)).size(), 3u);
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDOK)));
    EXPECT_EQ(settings.tteFilePath, fonts.wstring());
    EXPECT_EQ(settings.ReadString(kSectionBrowser, kKeyTTEFilePath), fonts.wstring());
    Click(dialog, IDCANCEL);
    EXPECT_FALSE(dialog.IsWindow());
  }
  CSettings reread(scratch.Folder());
  EXPECT_EQ(reread.ReadString(kSectionBrowser, kKeyTTEFilePath), fonts.wstring());
}

TEST(TTELoadDlg, BrowseButtonShowsItsFourBitmaps) {
  test::ScratchFolder scratch(L"tte_button");
  CSettings settings(scratch.Folder());
  settings.tteFilePath = scratch.Path().wstring();
  CTTELoadDlg dialog(settings);
  ASSERT_TRUE(dialog.Create(nullptr));
  auto* button = static_cast<CBitmapButton*>(CWindow::FromHandle(dialog.Item(IDC_TTE_BROWSE)));
  ASSERT_NE(button, nullptr);
  RECT rect{};
  GetWindowRect(button->Handle(), &rect);
  EXPECT_EQ(rect.right - rect.left, 20);  // sized to the bitmaps
  EXPECT_EQ(rect.bottom - rect.top, 18);
  EXPECT_EQ(CBitmapButton::FaceOf(0), CBitmapButton::Face::Up);
  EXPECT_EQ(CBitmapButton::FaceOf(ODS_SELECTED | ODS_FOCUS), CBitmapButton::Face::Down);
  EXPECT_EQ(CBitmapButton::FaceOf(ODS_FOCUS), CBitmapButton::Face::Focused);
  EXPECT_EQ(CBitmapButton::FaceOf(ODS_DISABLED | ODS_FOCUS), CBitmapButton::Face::Disabled);
  // Each face draws its own picture: the pressed one differs from the up one.
  auto draw = [&](UINT state) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 20, 18);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, target);
    DRAWITEMSTRUCT item{ODT_BUTTON, IDC_TTE_BROWSE, 0, ODA_DRAWENTIRE, state, button->Handle(), memory,
                        RECT{0, 0, 20, 18}, 0};
    dialog.Send(WM_DRAWITEM, IDC_TTE_BROWSE, reinterpret_cast<LPARAM>(&item));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 20; ++x) pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(target);
    DeleteDC(memory);
    return pixels;
  };
  const auto up = draw(0), down = draw(ODS_SELECTED), focused = draw(ODS_FOCUS), disabled = draw(ODS_DISABLED);
  EXPECT_EQ(up[0], RGB(255, 255, 255));  // raised: light top-left corner
  EXPECT_EQ(down[0], RGB(0, 0, 0));      // pressed: dark
  EXPECT_NE(up, focused);
  EXPECT_NE(up, disabled);
  EXPECT_NE(focused, disabled);
}

TEST(EufMakeAnsDlg, ShowsThePathAndReturnsTheAnswerAndCheckBox) {
  const std::wstring path = L"C:\\gaiji\\font.tte";
  {
    CEufMakeAnsDlg dialog(path);
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(TextOf(dialog.Handle()), L"Glyphview");
    HWND edit = dialog.Item(IDC_EUF_PATH);
    EXPECT_EQ(TextOf(edit), path);
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(FaceOf(edit), L"ＭＳ ゴシック");
    EXPECT_EQ(TextOf(dialog.Item(IDC_EUF_UNICODE)), L"対象のTTE外字ﾌｫﾝﾄﾌｧｲﾙにUNICODEの外字も存在する(&U)");
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_EUF_UNICODE), BST_UNCHECKED);
    EXPECT_EQ(TextOf(dialog.Item(IDOK)), L"はい(&Y)");
    EXPECT_EQ(TextOf(dialog.Item(IDCANCEL)), L"いいえ(&N)");
    std::vector<std::wstring> texts;
    EnumChildWindows(
        dialog.Handle(),
        [](HWND child, LPARAM param) {
          wchar_t name[16] = {};
          GetClassNameW(child, name, 16);
          if (lstrcmpiW(name, L"Static") == 0) reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(TextOf(child));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    EXPECT_EQ(texts, (std::vector<std::wstring>{
                         L"この外字ﾌｫﾝﾄﾌｧｲﾙには、対応する「EUF」ﾌｧｲﾙが存在しません。\n「EUF」ﾌｧｲﾙがないと外字を読み込めません。\n"
                         L"「EUF」を作成しますか？",
                         L"作成中は他ｱﾌﾟﾘｹｰｼｮﾝの外字表示が一時的に乱れます。\nEUFを作成すると「外字ｴﾃﾞｨﾀ」で編集できるようになりますが、\n"
                         L"修正すると元の字形が変更される可能性があります。"}));
  }
  // Modal: はい with the box checked, いいえ without.
  CEufMakeAnsDlg yes(path);
  {
    test::ModalDriver driver(L"#32770", [](HWND dialog) {
      SendMessageW(GetDlgItem(dialog, IDC_EUF_UNICODE), BM_CLICK, 0, 0);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    });
    EXPECT_EQ(yes.DoModal(nullptr), IDOK);
  }
  EXPECT_TRUE(yes.UnicodeChecked());
  CEufMakeAnsDlg no(path);
  {
    test::ModalDriver driver(L"#32770", [](HWND dialog) {
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));  // はい is where Enter goes
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(no.DoModal(nullptr), IDCANCEL);
  }
  EXPECT_FALSE(no.UnicodeChecked());
}

TEST(MessagePrompter, ShowsAndAsksNumberedMessages) {
  MessageRecorder messages;
  HWND owner = GetDesktopWindow();
  CMessagePrompter prompter(owner);
  prompter.Show(IDS_ERR_EUF_OPEN, {u"C:\\x.euf"});
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].owner, owner);
  EXPECT_EQ(messages.boxes[0].text, L"'C:\\x.euf'\r\nEUFﾌｧｲﾙを開くことが出来ません。");
  EXPECT_EQ(messages.boxes[0].type, static_cast<UINT>(MB_OK));

  prompter.Show(IDS_ERR_FILE_COPY, {u"a", u"b", u"c"});
  EXPECT_EQ(messages.boxes[1].text, L"「a」から\r\n「b」への\r\nﾌｧｲﾙｺﾋﾟｰに失敗しました。\r\nc");
  prompter.Show(IDS_ERR_FILE_COPY, {u"a"});  // missing fields stay empty
  EXPECT_EQ(messages.boxes[2].text, L"「a」から\r\n「」への\r\nﾌｧｲﾙｺﾋﾟｰに失敗しました。\r\n");

  messages.answer = IDYES;
  EXPECT_TRUE(prompter.AskYesNo(IDS_ASK_YOMI_MANAGE, {u"f.tte"}));
  EXPECT_EQ(messages.boxes[3].text, L"'f.tte'\r\nこのﾌｧｲﾙの読み管理を行いますか？");
  EXPECT_EQ(messages.boxes[3].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  messages.answer = IDNO;
  EXPECT_FALSE(prompter.AskYesNo(IDS_ASK_YOMI_MANAGE, {u"f.tte"}));
}

// Screenshots of the three dialogs, to be looked at.
TEST(BrowserDialogs, Screenshots) {
  test::ScratchFolder scratch(L"dialog_shots");
  for (const wchar_t* name : {L"EUDC.TTE", L"Gaiji.tte", L"sub\\Old.tte"}) {
    fs::create_directories((scratch / name).parent_path());
    test::WriteBytes(scratch / name, "font");
  }
  CSettings settings(scratch.Folder());
  settings.tteFilePath = scratch.Path().wstring();
  auto shoot = [](CDialog& dialog, const char* file) {
    ASSERT_TRUE(dialog.IsWindow());
    dialog.CenterOver(nullptr);
    ShowWindow(dialog.Handle(), SW_SHOW);
    SetForegroundWindow(dialog.Handle());
    for (int i = 0; i < 10; ++i) {
      test::Pump();
      Sleep(20);
    }
    EXPECT_TRUE(gui::WritePng(fs::path(MOJI_SCREENSHOT_DIR) / file, test::CaptureWindow(dialog.Handle()))) << file;
  };
  CTTELoadDlg load(settings);
  ASSERT_TRUE(load.Create(nullptr));
  SendMessageW(load.Item(IDC_TTE_LIST), LB_SETCURSEL, 1, 0);
  shoot(load, "dialog_tte_load.png");
  CAddrJumpDlg jump;
  ASSERT_TRUE(jump.Create(nullptr));
  shoot(jump, "dialog_addr_jump.png");
  CEufMakeAnsDlg ask(L"C:\\Windows\\Fonts\\Gaiji.tte");
  ASSERT_TRUE(ask.Create(nullptr));
  shoot(ask, "dialog_euf_make_ans.png");
}

}  // namespace
}  // namespace moji
