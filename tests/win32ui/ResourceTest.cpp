// The browser's resources as the programs load them: texts of every kind (a sample),
// menus, accelerators, toolbar, images, version and dialog templates.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Message.h"
#include "MojiVersion.h"
#include "MojiviewRes.h"
#include "ToolbarResource.h"
#include "WaitMessage.h"

namespace moji {
namespace {

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

TEST(BrowserResources, StringsOfEveryKindReadBackExactly) {
  EXPECT_EQ(LoadResourceString(IDS_BROWSER_TITLE), L"Mojiview\u3000[ %s ] %d\u00D7%d");
  EXPECT_EQ(LoadResourceString(IDS_APP_TITLE), L"Glyphview");
  EXPECT_EQ(LoadResourceString(IDS_IDLE_MESSAGE), L"ﾚﾃﾞｨ");
  EXPECT_EQ(LoadResourceString(IDS_STARTING), L"ﾌﾟﾛｸﾞﾗﾑ起動中です。\r\nしばらくお待ち下さい。");
  EXPECT_EQ(LoadResourceString(IDS_LOG_END), L"◇Glyphview\u3000終了\n\n");
  EXPECT_EQ(LoadResourceString(IDS_WAIT_A_SEC), L"Wait a sec");
  // Command prompts: status text, "\n", tooltip.
  EXPECT_EQ(LoadResourceString(ID_EDIT_COPY), L"選択中外字ﾋﾞｯﾄﾏｯﾌﾟをｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nﾋﾞｯﾄﾏｯﾌﾟｺﾋﾟｰ");
  EXPECT_EQ(LoadResourceString(ID_GAIJI_MANAGER), L"[外部ﾌﾟﾛｸﾞﾗﾑ起動]\u3000外字管理ﾂｰﾙを表示\n外字管理ﾂｰﾙ表示");
  for (UINT id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id)
    EXPECT_EQ(LoadResourceString(id), L"指定のﾌｧｲﾙを開く") << id;
  // Numbered messages with the characters that are easy to lose: escapes, full-width
  // digits, wave dashes, tabs, brackets.
  EXPECT_EQ(LoadResourceString(IDS_ERR_BAD_CODE),
            L"指定のｺｰﾄﾞが１６進４桁でないか、外字の範囲にありません。\r\n"
            L"ｺｰﾄﾞは、ﾕﾆｺｰﾄﾞかS-JISｺｰﾄﾞの１６進４桁の外字ｺｰﾄﾞを入力して下さい。");
  EXPECT_EQ(LoadResourceString(IDS_ASK_EXCLUDE_PREDEFINED),
            L"Windows 2000では、F001、F002、F810\uFF5EF81B、F820\uFF5EF823、F8F0\uFF5EF8F3 の文字は、\r\n"
            L"ﾌｫﾝﾄによって定義済みの場合があります。\r\n読込でこれらの範囲を除外しますか？");
  EXPECT_EQ(LoadResourceString(IDS_ERR_FILE_COPY), L"「%s」から\r\n「%s」への\r\nﾌｧｲﾙｺﾋﾟｰに失敗しました。\r\n%s");
  EXPECT_EQ(LoadResourceString(IDS_WARN_TTE_READ),
            L"'%s'\r\nこの外字のTTEﾌｧｲﾙは正しく読み込めない可能性があります。（ErrNo=%d）");
  EXPECT_EQ(LoadResourceString(IDS_MSG_IME_UPDATE_STATUS),
            L"IMの読み更新ｽﾃｰﾀｽ\r\n\r\n旧削除：\t\t%d件\r\n旧削除ｴﾗｰ：\t%d件\r\n新追加：\t\t%d件\r\n新追加ｴﾗｰ：\t%d件");
  EXPECT_EQ(FormatResource(IDS_ERR_FILE_MISSING, L"C:\\x\\a.tte"), L"'C:\\x\\a.tte'\r\nこのﾌｧｲﾙは存在しません。");
  // Every numbered message of the browser is present.
  for (UINT id : {2000, 2002, 2015, 2016, 2017, 2018, 2019, 2023, 2024, 2030, 2031, 2032, 2033, 2034, 2035, 2036,
                  2037, 2040, 2041, 2044, 2050, 2052, 2053, 4000, 4001, 4002, 4003, 4004, 5008, 5023, 5024, 5030,
                  5031, 5032, 6001, 6003, 6004, 6005, 6006, 130, 300, 301, 302, 304, 505, 57344, 57345})
    EXPECT_FALSE(LoadResourceString(id).empty()) << id;
}

struct Item {
  UINT id;          // 0 for a separator, -1 for a popup
  std::wstring text;
  bool grayed;
};

std::vector<Item> ItemsOf(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STATE;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    wchar_t text[256] = {};
    GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
    const UINT id = info.hSubMenu ? static_cast<UINT>(-1) : (info.fType & MFT_SEPARATOR) ? 0 : info.wID;
    items.push_back(Item{id, text, (info.fState & MFS_GRAYED) != 0});
  }
  return items;
}

std::vector<UINT> IdsOf(HMENU menu) {
  std::vector<UINT> ids;
  for (const Item& item : ItemsOf(menu)) ids.push_back(item.id);
  return ids;
}

TEST(BrowserResources, MainMenuHasTheLayoutAndTexts) {
  HMENU menu = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_MAINFRAME));
  ASSERT_TRUE(menu);
  const auto bar = ItemsOf(menu);
  ASSERT_EQ(bar.size(), 5u);
  EXPECT_EQ(bar[0].text, L"ﾌｧｲﾙ(&F)");
  EXPECT_EQ(bar[1].text, L"編集(&E)");
  EXPECT_EQ(bar[2].text, L"検索(&F)");
  EXPECT_EQ(bar[3].text, L"ﾂｰﾙ(&T)");
  EXPECT_EQ(bar[4].text, L"ﾍﾙﾌﾟ(&H)");
  EXPECT_EQ(IdsOf(GetSubMenu(menu, 0)),
            (std::vector<UINT>{57600, 57601, 32792, 0, 57616, 0, 57665}));
  EXPECT_EQ(IdsOf(GetSubMenu(menu, 1)), (std::vector<UINT>{57634, 32803, 32776, 32779, 0, 32778, 32783, 32782}));
  EXPECT_EQ(IdsOf(GetSubMenu(menu, 2)), (std::vector<UINT>{32796, 32780, 0, 32801, 32802, 0, 32804}));
  EXPECT_EQ(IdsOf(GetSubMenu(menu, 3)), (std::vector<UINT>{32775, 32771, 32806, 0, 32800, 32805}));
  EXPECT_EQ(IdsOf(GetSubMenu(menu, 4)), (std::vector<UINT>{57670, 0, 57664}));
  const auto file = ItemsOf(GetSubMenu(menu, 0));
  EXPECT_EQ(file[0].text, L"新規ﾌﾞﾗｳｻﾞ(&N)\tCtrl+N");
  EXPECT_EQ(file[4].text, L"最近開いた外字ﾌｧｲﾙ");
  EXPECT_TRUE(file[4].grayed);
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 1))[0].text, L"ﾋﾞｯﾄﾏｯﾌﾟｺﾋﾟｰ(&C)\tCtrl+C");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 1))[1].text, L"ﾋﾞｯﾄﾏｯﾌﾟを画像で保存(&S)...");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 1))[6].text, L"外字のﾘﾝｸを変更(&G)...");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 2))[3].text, L"読みで検索(&Y)...\tCtrl+F");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 2))[4].text, L"次の読みを検索(&N)\tF3");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 2))[6].text, L"標準文字の候補(&C)...");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 3))[2].text, L"外字ﾘﾝｸの一覧(&L)...");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 3))[4].text, L"読みを辞書ﾌｧｲﾙに出力(&D)...");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 3))[5].text, L"標準文字の対応表を出力(&M)...");
  EXPECT_EQ(ItemsOf(GetSubMenu(menu, 4))[2].text, L"Glyphview のﾊﾞｰｼﾞｮﾝ情報(&A)...");
  DestroyMenu(menu);

  HMENU context = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_BROWSER_CONTEXT));
  ASSERT_TRUE(context);
  const auto top = ItemsOf(context);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].text, L"BROWSER CONTEXT");
  const auto items = ItemsOf(GetSubMenu(context, 0));
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].id, 57634u);
  EXPECT_EQ(items[0].text, L"ﾋﾞｯﾄﾏｯﾌﾟｺﾋﾟｰ(&C)\tCtrl+C");
  EXPECT_EQ(items[1].id, 32803u);
  EXPECT_EQ(items[1].text, L"ﾋﾞｯﾄﾏｯﾌﾟを画像で保存(&S)...");
  EXPECT_EQ(items[2].id, 32776u);
  EXPECT_EQ(items[2].text, L"外字の読み編集(&Y)...\tCtrl+Y");
  EXPECT_EQ(items[3].id, 32804u);
  EXPECT_EQ(items[3].text, L"標準文字の候補(&C)...");
  DestroyMenu(context);
}

TEST(BrowserResources, AcceleratorsAreExactlyTheTwelveKeys) {
  HACCEL table = LoadAcceleratorsW(Self(), MAKEINTRESOURCEW(IDR_MAINFRAME));
  ASSERT_TRUE(table);
  std::vector<ACCEL> accels(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
  CopyAcceleratorTableW(table, accels.data(), static_cast<int>(accels.size()));
  struct Key {
    WORD key;
    bool control;
    WORD command;
  };
  const std::vector<Key> expected = {{'N', true, 57600},    {'O', true, 57601},    {VK_F5, false, 32792},
                                     {'C', true, 57634},    {'B', true, 57634},    {'Y', true, 32776},
                                     {'L', true, 32779},    {VK_F2, false, 32796}, {VK_F8, false, 32780},
                                     {'F', true, 32801},    {VK_F3, false, 32802}, {VK_F1, false, 57670}};
  ASSERT_EQ(accels.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(accels[i].key, expected[i].key) << i;
    EXPECT_EQ(accels[i].cmd, expected[i].command) << i;
    EXPECT_EQ((accels[i].fVirt & ~FNOINVERT), FVIRTKEY | (expected[i].control ? FCONTROL : 0)) << i;
  }
}

TEST(BrowserResources, ToolbarImagesIconAndVersion) {
  HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(241));
  ASSERT_TRUE(found);
  auto layout = ParseToolbarResource(static_cast<const std::uint8_t*>(LockResource(LoadResource(Self(), found))),
                                     SizeofResource(Self(), found));
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->imageWidth, 24);
  EXPECT_EQ(layout->items, (std::vector<std::uint32_t>{57600, 57601, 0, 57634, 0, 32796, 0, 32775, 32771}));

  for (UINT id : {IDR_MAINFRAME, IDB_TOOLBAR24}) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap) << id;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 6 * 24) << id;  // one image per button
    EXPECT_EQ(info.bmHeight, 24) << id;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    // The corner is background: the mask colour in the 24-bit strip.
    EXPECT_EQ(GetPixel(dc, 0, 0), id == IDB_TOOLBAR24 ? COLORREF(TOOLBAR24_MASK_COLOR) : RGB(192, 192, 192)) << id;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  EXPECT_TRUE(LoadImageW(Self(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 32, 32, 0));
  EXPECT_TRUE(LoadImageW(Self(), MAKEINTRESOURCEW(IDI_TTE_FILE), IMAGE_ICON, 16, 16, 0));

  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x411);
  wchar_t* value = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104b0\\ProductVersion", reinterpret_cast<void**>(&value), &length));
  EXPECT_STREQ(value, L"" MOJI_VERSION_STRING);
  EXPECT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104b0\\LegalCopyright", reinterpret_cast<void**>(&value), &length));
  EXPECT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104b0\\FileDescription", reinterpret_cast<void**>(&value), &length));
}

// A dialog template's controls as the dialog manager makes them.
HWND CreateTemplate(UINT id, HWND parent = nullptr) {
  return CreateDialogParamW(Self(), MAKEINTRESOURCEW(id), parent,
                            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(BrowserResources, FormAboutAndWaitTemplates) {
  HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, Self(), nullptr);
  HWND form = CreateTemplate(IDD_GLYPHVIEW_FORM, frame);
  ASSERT_TRUE(form);
  EXPECT_TRUE(GetWindowLongW(form, GWL_STYLE) & WS_CHILD);
  HWND list = GetDlgItem(form, IDC_GAIJI_LIST);
  ASSERT_TRUE(list);
  // The list box shows its vertical scroll bar once it has more rows than fit.
  for (int i = 0; i < 100; ++i) SendMessageW(list, LB_ADDSTRING, 0, i);
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  for (LONG bit : {LBS_OWNERDRAWVARIABLE, LBS_NOINTEGRALHEIGHT, LBS_NOTIFY, LONG(WS_VSCROLL), LONG(WS_TABSTOP)})
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  HWND edit = GetDlgItem(form, IDC_STATUS_EDIT);
  ASSERT_TRUE(edit);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  // 350 x 212 units: the list spans the width, the edit sits below it.
  RECT units{0, 0, 350, 212}, listRect{}, editRect{};
  MapDialogRect(form, &units);
  GetWindowRect(list, &listRect);
  GetWindowRect(edit, &editRect);
  EXPECT_EQ(listRect.right - listRect.left, units.right);
  EXPECT_GT(editRect.top, listRect.bottom);
  DestroyWindow(frame);

  HWND about = CreateTemplate(IDD_ABOUTBOX);
  ASSERT_TRUE(about);
  for (int id : {IDC_ABOUT_VERSION, IDC_ABOUT_URL, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_UPDATE, IDOK})
    EXPECT_TRUE(GetDlgItem(about, id)) << id;
  EXPECT_EQ(TextOf(GetDlgItem(about, IDC_ABOUT_UPDATE)), L"自動更新...");
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(about, IDC_ABOUT_URL), GWL_STYLE) & SS_NOTIFY);
  DestroyWindow(about);

  HWND wait = CreateTemplate(IDD_WAIT_MESSAGE);
  ASSERT_TRUE(wait);
  EXPECT_NE(GetWindowLongW(wait, GWL_STYLE) & WS_CAPTION, LONG(WS_CAPTION));  // no caption
  EXPECT_EQ(TextOf(GetDlgItem(wait, IDC_WAIT_MESSAGE_TEXT)), L"処理中です。\rしばらくお待ち下さい。");
  DestroyWindow(wait);
}

}  // namespace
}  // namespace moji
