#include "EudcLinkListDlg.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>

#include "EudcLinkSwitcher.h"
#include "HelpTopic.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "TextConv.h"

namespace moji {
namespace {

enum Column { kColumnFace, kColumnFile, kColumnState };

UINT StateText(EudcLinkState state) {
  switch (state) {
    case EudcLinkState::FileMissing:
      return IDS_LINK_STATE_NO_FILE;
    case EudcLinkState::EufMissing:
      return IDS_LINK_STATE_NO_EUF;
    case EudcLinkState::Ok:
      break;
  }
  return IDS_LINK_STATE_OK;
}

void SetCell(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// `path` shortened in its middle ("C:\...\name.TTE") to fit the file column of `list`, so
// that the file's name stays in sight.
std::wstring FittedPath(HWND list, const std::wstring& path) {
  constexpr int kCellMargin = 12;
  std::vector<wchar_t> text(std::max<size_t>(path.size() + 1, MAX_PATH), L'\0');
  std::copy(path.begin(), path.end(), text.begin());
  HDC dc = ::GetDC(list);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)));
  ::PathCompactPathW(dc, text.data(), static_cast<UINT>(std::max(0, ListView_GetColumnWidth(list, kColumnFile) - kCellMargin)));
  ::SelectObject(dc, old);
  ::ReleaseDC(list, dc);
  return text.data();
}

}  // namespace

CEudcLinkListDlg::CEudcLinkListDlg(CEudcLinkSwitcher& link, std::u16string fontsFolder)
    : CDialog(IDD_EUDC_LINK_LIST), m_link(link), m_fontsFolder(std::move(fontsFolder)) {
  SetHelpContext(kHelpContextMain);
}

CEudcLinkListDlg::~CEudcLinkListDlg() { Destroy(); }

bool CEudcLinkListDlg::OnInitDialog() {
  HWND list = Item(IDC_LINK_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  RECT client{};
  ::GetClientRect(list, &client);
  const int width = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
  const int faceWidth = width * 20 / 100, stateWidth = width * 18 / 100;
  const struct {
    UINT text;
    int width;
  } columns[] = {{IDS_LINK_COLUMN_FACE, faceWidth},
                 {IDS_LINK_COLUMN_FILE, width - faceWidth - stateWidth},
                 {IDS_LINK_COLUMN_STATE, stateWidth}};
  for (int i = 0; i < 3; ++i) {
    std::wstring text = LoadResourceString(columns[i].text);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = columns[i].width;
    column.iSubItem = i;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  Refill();
  Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
  return false;  // the focus is set
}

std::wstring CEudcLinkListDlg::ShownFace(const EudcLinkRow& row) const {
  return row.allTypefaces ? LoadResourceString(IDS_LINK_ALL_TYPEFACES) : ToWide(row.face);
}

void CEudcLinkListDlg::Refill(const std::u16string& keepFace) {
  m_rows = ReadEudcLinks(m_link, m_fontsFolder);
  HWND list = Item(IDC_LINK_LIST);
  ListView_DeleteAllItems(list);
  for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
    const EudcLinkRow& row = m_rows[static_cast<size_t>(i)];
    std::wstring face = ShownFace(row);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = face.data();
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetCell(list, i, kColumnFile, FittedPath(list, row.tte.wstring()));
    SetCell(list, i, kColumnState, LoadResourceString(StateText(row.state)));
    if (!keepFace.empty() && row.face == keepFace) {
      ListView_SetItemState(list, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list, i, FALSE);
    }
  }
  const EudcLinkCounts counts = CountEudcLinks(m_rows);
  SetItemText(IDC_LINK_COUNT, FormatResource(IDS_LINK_COUNT, counts.links, counts.broken));
  UpdateButtons();
}

const EudcLinkRow* CEudcLinkListDlg::Selected() const {
  const int index = ListView_GetNextItem(Item(IDC_LINK_LIST), -1, LVNI_SELECTED);
  return index >= 0 && index < static_cast<int>(m_rows.size()) ? &m_rows[static_cast<size_t>(index)] : nullptr;
}

void CEudcLinkListDlg::UpdateButtons() {
  const EudcLinkRow* row = Selected();
  ::EnableWindow(Item(IDC_LINK_OPEN), row && row->state != EudcLinkState::FileMissing);
  ::EnableWindow(Item(IDC_LINK_DELETE), row && !row->allTypefaces);
  ::EnableWindow(Item(IDC_LINK_DELETE_BROKEN), !BrokenFaceLinks(m_rows).empty());
}

bool CEudcLinkListDlg::OnCommand(UINT id, UINT code, HWND control) {
  switch (id) {
    case IDOK:  // Enter: the default button, when it can run
    case IDC_LINK_OPEN:
      OnOpen();
      return true;
    case IDC_LINK_DELETE:
      OnDelete();
      return true;
    case IDC_LINK_DELETE_BROKEN:
      OnDeleteBroken();
      return true;
    default:
      return CDialog::OnCommand(id, code, control);
  }
}

bool CEudcLinkListDlg::OnNotify(NMHDR* header, LRESULT& result) {
  if (header->idFrom != IDC_LINK_LIST) return false;
  if (header->code == LVN_ITEMCHANGED) {
    UpdateButtons();
  } else if (header->code == NM_DBLCLK) {
    OnOpen();
  } else {
    return false;
  }
  result = 0;
  return true;
}

void CEudcLinkListDlg::OnOpen() {
  if (!::IsWindowEnabled(Item(IDC_LINK_OPEN))) return;
  const EudcLinkRow* row = Selected();
  if (!row) return;
  m_result = row->tte;
  EndDialog(IDOK);
}

std::wstring CEudcLinkListDlg::Lines(const std::vector<EudcLinkRow>& rows) const {
  std::wstring lines;
  for (const EudcLinkRow& row : rows)
    lines += FormatResource(IDS_LINK_LINE, ShownFace(row).c_str(), row.tte.wstring().c_str());
  return lines;
}

void CEudcLinkListDlg::OnDelete() {
  const EudcLinkRow* row = Selected();
  if (!row || row->allTypefaces) return;
  const EudcLinkRow chosen = *row;
  if (ShowMessage(Handle(), IDS_ASK_LINK_DELETE, MB_YESNO | MB_ICONQUESTION, ShownFace(chosen).c_str(),
                  chosen.tte.wstring().c_str()) != IDYES)
    return;
  Remove({chosen});
}

void CEudcLinkListDlg::OnDeleteBroken() {
  const std::vector<EudcLinkRow> broken = BrokenFaceLinks(m_rows);
  if (broken.empty()) return;
  if (ShowMessage(Handle(), IDS_ASK_BROKEN_LINKS_DELETE, MB_YESNO | MB_ICONQUESTION, Lines(broken).c_str()) != IDYES)
    return;
  Remove(broken);
}

void CEudcLinkListDlg::Remove(const std::vector<EudcLinkRow>& rows) {
  const EudcLinkRow* selected = Selected();
  const std::u16string keep = selected ? selected->face : std::u16string();
  const std::vector<FailedRemoval> failed = RemoveFaceLinks(m_link, rows);
  Refill(keep);
  if (failed.empty()) return;
  std::vector<EudcLinkRow> failedRows;
  for (const EudcLinkRow& row : rows)
    for (const FailedRemoval& failure : failed)
      if (failure.face == row.face) failedRows.push_back(row);
  ShowMessage(Handle(), IDS_ERR_LINK_DELETE, MB_OK | MB_ICONEXCLAMATION, Lines(failedRows).c_str());
}

}  // namespace moji
