#include "TTELoadDlg.h"

#include <shlobj.h>

#include "HelpTopic.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "OleSession.h"
#include "WaitCursor.h"

namespace moji {

namespace {

bool IsHiddenName(const wchar_t* name) { return name[0] == L'.'; }

// The pattern "*.TTE" also matches names whose short (8.3) alias ends in .TTE; only the
// real extension counts.
bool HasTteExtension(const std::wstring& name) {
  return name.size() > 4 && ::lstrcmpiW(name.c_str() + name.size() - 4, L".tte") == 0;
}

template <typename Visit>
void ForEachEntry(const std::wstring& pattern, Visit visit) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    visit(data);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
}

void ListFolder(const std::wstring& folder, const std::wstring& prefix, int depth, std::vector<std::wstring>& out) {
  ForEachEntry(CTTELoadDlg::JoinPath(folder, L"*.TTE"), [&](const WIN32_FIND_DATAW& data) {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsHiddenName(data.cFileName)) return;
    if (HasTteExtension(data.cFileName)) out.push_back(prefix + data.cFileName);
  });
  if (depth <= 0) return;
  ForEachEntry(CTTELoadDlg::JoinPath(folder, L"*.*"), [&](const WIN32_FIND_DATAW& data) {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsHiddenName(data.cFileName)) return;
    const std::wstring name = data.cFileName;
    ListFolder(CTTELoadDlg::JoinPath(folder, name), prefix + name + L"\\", depth - 1, out);
  });
}

int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

CTTELoadDlg::CTTELoadDlg(CSettings& settings)
    : CDialog(IDD_TTE_LOAD), m_settings(settings), m_folder(settings.tteFilePath) {
  SetHelpContext(kHelpContextMain);
}

CTTELoadDlg::~CTTELoadDlg() { Destroy(); }  // before the font goes

std::wstring CTTELoadDlg::JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + L"\\" + name;
}

std::vector<std::wstring> CTTELoadDlg::ListTteFiles(const std::wstring& folder, int depth) {
  std::vector<std::wstring> names;
  if (!folder.empty()) ListFolder(folder, L"", depth, names);
  return names;
}

bool CTTELoadDlg::OnInitDialog() {
  if (m_browse.SubclassDlgItem(IDC_TTE_BROWSE, Handle())) {
    m_browse.LoadBitmaps(IDB_BROWSE_UP, IDB_BROWSE_DOWN, IDB_BROWSE_FOCUSED, IDB_BROWSE_DISABLED);
    m_browse.SizeToContent();
  }
  m_font.reset(CreatePointFontForWindow(9, kGothicFace, Handle()));
  if (m_font) {
    ::SendMessageW(Item(IDC_TTE_LIST), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
    ::SendMessageW(Item(IDC_TTE_FOLDER), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
  }
  SetItemText(IDC_TTE_FOLDER, m_folder);
  FillList();
  Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_TTE_LIST)), TRUE);  // the files, not the folder
  return false;
}

int CTTELoadDlg::FillList() {
  CWaitCursor wait;
  HWND list = Item(IDC_TTE_LIST);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& name : ListTteFiles(m_folder))
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  const int entries = count == LB_ERR ? 0 : static_cast<int>(count);
  // An empty list leaves nothing to open; a folder with files, chosen later, enables it.
  ::EnableWindow(Item(IDOK), entries > 0);
  return entries;
}

void CTTELoadDlg::ChangeFolder(const std::wstring& folder) {
  CWaitCursor wait;
  SetItemText(IDC_TTE_FOLDER, folder);
  m_folder = folder;
  m_settings.tteFilePath = folder;
  m_settings.WriteString(kSectionBrowser, kKeyTTEFilePath, folder);
  FillList();
}

std::optional<std::wstring> CTTELoadDlg::BrowseForFolder() {
  if (!EnsureOle()) return std::nullopt;  // the folder dialog is made of shell objects
  LPITEMIDLIST root = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(Handle(), CSIDL_DESKTOP, &root)) || !root) return std::nullopt;
  // The browser takes at most MAX_PATH - 1 characters of the current folder.
  wchar_t current[MAX_PATH] = {};
  ::lstrcpynW(current, m_folder.c_str(), MAX_PATH);
  wchar_t display[MAX_PATH] = {};
  const std::wstring title = LoadResourceString(IDS_TTE_FOLDER_TITLE);
  BROWSEINFOW info{};
  info.hwndOwner = Handle();
  info.pidlRoot = root;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = 0;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(current);
  std::optional<std::wstring> chosen;
  if (LPITEMIDLIST item = ::SHBrowseForFolderW(&info)) {
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(item, path) && path[0]) chosen = path;
    ::CoTaskMemFree(item);
  }
  ::CoTaskMemFree(root);
  return chosen;
}

bool CTTELoadDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_TTE_BROWSE && code == BN_CLICKED) {
    if (const auto folder = BrowseForFolder()) ChangeFolder(*folder);
    return true;
  }
  if (id == IDC_TTE_LIST && code == LBN_DBLCLK) {
    OnOK();
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

void CTTELoadDlg::OnOK() {
  HWND list = Item(IDC_TTE_LIST);
  const LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  const LRESULT length = index == LB_ERR ? LB_ERR : ::SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) {
    Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
    ShowMessage(Handle(), IDS_ERR_TTE_NOT_SELECTED, MB_OK);
    return;
  }
  std::wstring name(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data()));
  name.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  m_selected = name;
  EndDialog(IDOK);
}

}  // namespace moji
