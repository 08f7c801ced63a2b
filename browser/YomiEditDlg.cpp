#include "YomiEditDlg.h"

#include <algorithm>

#include "GaijiCode.h"
#include "Help.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "TextConv.h"
#include "YomiInput.h"
#include "YomiStore.h"

namespace moji {
namespace {

std::wstring ListItemText(HWND list, LRESULT index) {
  const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got == LB_ERR ? 0 : std::min(got, length)));
  return text;
}

void AddListItem(HWND list, const std::u16string& text) {
  ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

}  // namespace

CYomiEditDlg::CYomiEditDlg(HBITMAP bitmap, std::u16string codeText, CYomiStore& store)
    : CDialog(IDD_YOMI_EDIT),
      m_bitmap(bitmap),
      m_codeText(std::move(codeText)),
      m_code(ParseHexCode(m_codeText)),
      m_store(store) {
  if (m_code >= kGaijiFirst && m_code <= kGaijiSjisLast) m_sjisText = SjisHexOfUnicode(m_code);
  SetHelpContext(kHelpContextYomiEdit);
}

CYomiEditDlg::~CYomiEditDlg() { Destroy(); }  // before the font goes

bool CYomiEditDlg::OnInitDialog() {
  if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_YOMI_EDIT))) {
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  m_codeFont.reset(CreatePointFontForWindow(9, kGothicFace, Handle()));
  for (int id : {IDC_YOMI_CODE, IDC_YOMI_SJIS})
    if (m_codeFont) ::SendDlgItemMessageW(Handle(), id, WM_SETFONT, reinterpret_cast<WPARAM>(m_codeFont.get()), TRUE);
  m_picture.SubclassDlgItem(IDC_YOMI_PICTURE, Handle());
  m_picture.SetBitmap(m_bitmap);
  SetItemText(IDC_YOMI_CODE, ToWide(m_codeText));
  SetItemText(IDC_YOMI_SJIS, ToWide(m_sjisText));

  m_input.SubclassDlgItem(IDC_YOMI_INPUT, Handle());
  m_input.Send(EM_LIMITTEXT, kMaxInput);
  if (m_store.HasStore()) {
    for (const std::u16string& reading : m_store.GetReadingList(m_code)) AddListItem(Item(IDC_YOMI_LIST), reading);
  } else {
    for (int id : {IDC_YOMI_INPUT, IDC_YOMI_ADD, IDC_YOMI_DELETE}) ::EnableWindow(Item(id), FALSE);
  }
  SetModified(false);
  FocusItem(m_store.HasStore() ? IDC_YOMI_INPUT : IDCANCEL);
  return false;  // the focus is set
}

bool CYomiEditDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && id == IDC_YOMI_ADD) {
    OnAdd();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_YOMI_DELETE) {
    OnDelete();
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

std::vector<std::u16string> CYomiEditDlg::ListedReadings() const {
  std::vector<std::u16string> readings;
  HWND list = Item(IDC_YOMI_LIST);
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) readings.push_back(FromWide(ListItemText(list, i)));
  return readings;
}

void CYomiEditDlg::SetModified(bool modified) {
  m_modified = modified;
  if (!modified && ::GetFocus() == Item(IDOK)) FocusItem(IDC_YOMI_INPUT);  // the button is disabled next
  ::EnableWindow(Item(IDOK), modified ? TRUE : FALSE);
}

void CYomiEditDlg::FocusItem(int id) { Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }

void CYomiEditDlg::OnAdd() {
  if (!m_store.HasStore()) return;
  const std::u16string text = TrimReadingInput(FromWide(ItemText(IDC_YOMI_INPUT)));
  if (text.empty()) {
    ShowMessage(Handle(), IDS_ERR_YOMI_EMPTY, MB_OK);
    FocusItem(IDC_YOMI_INPUT);
    return;
  }
  const ReadingInput input = SplitReadingInput(text, ListedReadings());
  for (const std::u16string& reading : input.added) AddListItem(Item(IDC_YOMI_LIST), reading);
  if (!input.added.empty()) SetModified(true);
  if (!input.duplicates.empty())
    ShowMessage(Handle(), IDS_WARN_YOMI_DUPLICATE, MB_OK, ToWide(JoinReadings(input.duplicates)).c_str());
  if (!input.refused.empty()) {
    ShowMessage(Handle(), IDS_ERR_YOMI_NOT_HIRAGANA, MB_OK);
    SetItemText(IDC_YOMI_INPUT, ToWide(JoinReadings(input.refused)));
    FocusItem(IDC_YOMI_INPUT);
  } else {
    SetItemText(IDC_YOMI_INPUT, ToWide(text));
    FocusItem(IDC_YOMI_LIST);
  }
}

void CYomiEditDlg::OnDelete() {
  if (!m_store.HasStore()) return;
  HWND list = Item(IDC_YOMI_LIST);
  const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) {
    ShowMessage(Handle(), IDS_ERR_YOMI_NOT_SELECTED, MB_OK);
    FocusItem(IDC_YOMI_INPUT);
    return;
  }
  SetItemText(IDC_YOMI_INPUT, ListItemText(list, selected));
  ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  SetModified(true);
  FocusItem(IDC_YOMI_INPUT);
}

void CYomiEditDlg::OnOK() {
  // Enter reaches here also while Update is disabled: nothing to write then.
  if (!m_modified || !m_store.HasStore()) return;
  if (m_store.ReplaceReadings(m_code, ListedReadings())) SetModified(false);
}

void CYomiEditDlg::OnCancel() {
  if (m_modified && ShowMessage(Handle(), IDS_ASK_DISCARD_YOMI, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  CLog::Print(L"読みﾌｧｲﾙ編集終了(code=%s)\n", ToWide(m_codeText).c_str());
  EndDialog(IDCANCEL);
}

}  // namespace moji
