#include "GlyphviewDoc.h"

#include <shlobj.h>

#include "BitmapFindDlg.h"
#include "BrowserGaijiListCtrl.h"
#include "ClipboardGlyph.h"
#include "EudcLinkListDlg.h"
#include "EufCreatorWin32.h"
#include "EufMakeAnsDlg.h"
#include "ExternalPrograms.h"
#include "FullPath.h"
#include "FukidasiDlg.h"
#include "GlyphImageFile.h"
#include "GlyphviewApp.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "ProcessUtil.h"
#include "RegistryEudcLink.h"
#include "SaveFileDlg.h"
#include "ScopeGuard.h"
#include "StartTarget.h"
#include "TTELoadDlg.h"
#include "TextConv.h"

namespace moji {
namespace {

// Where the clipboard balloon points, in the grid's client coordinates.
constexpr int kBalloonAnchorX = 64;
constexpr int kBalloonAnchorY = -48;

std::wstring Lowered(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

bool CGlyphviewDoc::OnNewDocument() {
  if (!m_bound) {
    m_bound = true;
    m_list = m_app.View().GaijiList();
    return true;
  }
  const std::wstring commandLine = L"\"" + GetProgramPath() + L"\" /M";
  if (!LaunchProgram(commandLine, SW_SHOWDEFAULT))
    ShowMessageLogged(m_app.MainFrame().Handle(), IDS_ERR_LAUNCH, MB_OK, commandLine.c_str());
  return false;  // this browser keeps what it shows
}

bool CGlyphviewDoc::ListIsWindow() const { return m_list && m_list->IsWindow(); }

bool CGlyphviewDoc::Load(const std::filesystem::path& path) {
  // The open's message boxes and dialogs dispatch messages: nothing may open a file inside it.
  if (m_loading) return false;
  bool loaded = false;
  {
    m_loading = true;
    CScopeGuard done([this] { m_loading = false; });
    loaded = LoadFile(path);
  }
  RunDeferredReload();
  return loaded;
}

void CGlyphviewDoc::RunDeferredReload() {
  // A deferred reload opens the file again and may itself be asked for once more meanwhile;
  // the outermost caller runs them one after the other instead of nesting.
  if (m_runningDeferred) return;
  m_runningDeferred = true;
  CScopeGuard done([this] { m_runningDeferred = false; });
  while (m_reloadPending) {
    m_reloadPending = false;
    Reload();
  }
}

bool CGlyphviewDoc::LoadFile(const std::filesystem::path& path) {
  HWND owner = m_app.MainFrame().Handle();
  if (!PathExists(path.u16string())) {
    ShowMessage(owner, IDS_ERR_FILE_MISSING, MB_OK, path.c_str());
    m_app.RecentFiles().Remove(path.wstring());
    return false;
  }
  const std::wstring eufPath = ToWide(DerivedPath(path.u16string(), u"euf"));
  const std::wstring ttePath = ToWide(DerivedPath(path.u16string(), u"tte"));

  const int status = m_tte.Read(std::filesystem::path(ttePath));
  if (status != 0) ShowMessage(owner, IDS_WARN_TTE_READ, MB_OK | MB_ICONEXCLAMATION, ttePath.c_str(), status);

  if (!PathExists(FromWide(eufPath))) {
    CEufMakeAnsDlg question(path.wstring());
    if (question.DoModal(owner) != IDOK) return false;
    const int size = m_app.Settings().bitmapSize;
    if (CreateEufFromTte(owner, m_tte, path.wstring(), eufPath, question.UnicodeChecked(), size, size, m_app.Settings()) != 1)
      return false;
  }

  m_shownPath = path;
  const bool linked = IsLinkedFont();
  if (ListIsWindow()) {
    m_list->SetHeaderColor(linked ? CGaijiListCtrl::kHeaderLinked : CGaijiListCtrl::kHeaderDefault);
    if (!m_list->AttachEuf(std::filesystem::path(eufPath), status != 0 ? -1 : m_tte.definedCount)) return false;
    const SIZE size = m_list->ManagementSize();
    m_app.MainFrame().SetBrowserTitle(m_shownPath.wstring(), size.cx, size.cy);
  }
  m_app.RecentFiles().Add(path.wstring());

  if (linked) {
    m_app.Yomi().LoadReadings(m_shownPath);
    if (ListIsWindow()) m_list->RefreshStatusLine();
  }
  return true;
}

void CGlyphviewDoc::Reload() {
  if (m_loading) {
    m_reloadPending = true;
    return;
  }
  CLog::Print(L"Command:データ再読込\n");
  // With nothing shown this opens the empty path: message 2053 names an empty file.
  if (!ListIsWindow()) return;
  const std::filesystem::path path = m_shownPath;  // Load replaces the shown path
  Load(path);
  ::RedrawWindow(m_list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  m_list->RefreshStatusLine();
}

void CGlyphviewDoc::OnFileOpen() {
  CTTELoadDlg dialog(m_app.Settings());
  if (dialog.DoModal(m_app.MainFrame().Handle()) != IDOK) return;
  const std::filesystem::path path = FullPath(dialog.ResultPath());
  CLog::Print(L"Command:ﾌｧｲﾙを開く（%s）\n", path.c_str());
  Load(path);
}

void CGlyphviewDoc::OnOpenRecentFile(int index) {
  const auto entry = m_app.RecentFiles().Entry(index);
  if (!entry || entry->empty()) return;
  const std::filesystem::path path = *entry;  // Load may reorder or remove the entry
  CLog::Print(L"Command:履歴ﾌｧｲﾙを開く（%s）\n", path.c_str());
  Load(path);
}

void CGlyphviewDoc::OnJumpToCode() {
  CLog::Print(L"Command:指定の文字ｺｰﾄﾞへｼﾞｬﾝﾌﾟ\n");
  if (ListIsWindow()) m_list->JumpToCode();
}

void CGlyphviewDoc::OnCopyGlyph() {
  CLog::Print(L"Command:選択外字をコピー（ｸﾘｯﾌﾟﾎﾞｰﾄﾞ保存）\n");
  if (ListIsWindow()) m_list->CopyGlyphToClipboard();
}

bool CGlyphviewDoc::CanCopyGlyph() const { return ListIsWindow() && m_list->HasGlyph(); }

bool CGlyphviewDoc::HasClipboardGlyph() const { return ListIsWindow() && m_list->GetClipboardGlyphFormat() != 0; }

void CGlyphviewDoc::OnBitmapFind() {
  if (!ListIsWindow()) return;
  const UINT format = m_list->GetClipboardGlyphFormat();
  if (format == 0 || (format != CF_BITMAP && format != m_list->GlyphkeeperFormat())) return;
  HBITMAP pattern = nullptr;
  if (!ReadClipboardGlyph(format, &pattern, nullptr, nullptr, nullptr)) return;
  HWND owner = m_app.MainFrame().Handle();
  CBitmapFindDlg dialog(pattern);
  if (dialog.DoModal(owner) == IDOK) {
    const int found = m_list->FindBitmap(dialog.StartChoice() == CBitmapFindDlg::kFromTop, pattern);
    if (found == 0) ShowMessage(owner, IDS_MSG_NO_MATCH, MB_OK);
    else if (found < 0) ShowMessage(owner, IDS_MSG_SEARCH_ABORTED, MB_OK | MB_ICONINFORMATION);
  }
  ::DeleteObject(pattern);
}

void CGlyphviewDoc::OnSaveGlyphImage() {
  CLog::Print(L"Command:ﾋﾞｯﾄﾏｯﾌﾟを画像で保存\n");
  if (!CanCopyGlyph()) return;
  const int code = GaijiIndexToCode(m_list->GetSelectedIndex());
  int width = 0;
  int height = 0;
  const std::vector<std::uint8_t> bits = m_list->ReadGlyph(code, width, height);
  if (bits.empty()) return;
  const std::wstring name = ToWide(FormatHex4(static_cast<std::uint32_t>(code))) + L".png";
  CSaveFileDlg dialog(L"PNG 画像 (*.png)\0*.png\0BMP 画像 (*.bmp)\0*.bmp\0", L"png");
  HWND owner = m_app.MainFrame().Handle();
  if (!dialog.DoModal(owner, m_shownPath.parent_path() / name)) return;
  const std::wstring extension = dialog.Path().extension().wstring();
  const GlyphImageFormat format = ::lstrcmpiW(extension.c_str(), L".bmp") == 0 ? GlyphImageFormat::Bmp : GlyphImageFormat::Png;
  const std::wstring target = dialog.Path().wstring();
  if (!SaveGlyphImage(dialog.Path(), bits, width, height, format)) {
    ShowMessageLogged(owner, IDS_ERR_GLYPH_IMAGE_SAVE, MB_OK | MB_ICONEXCLAMATION, target.c_str());
    return;
  }
  CLog::Print(L"画像保存（code=%4.4X）%s\n", static_cast<unsigned>(code), target.c_str());
}

void CGlyphviewDoc::OnClipboardCheck() {
  if (!ListIsWindow()) return;
  CFukidasiDlg balloon(*m_list, kBalloonAnchorX, kBalloonAnchorY, true);
  balloon.DoModal(m_list->Handle());
}

void CGlyphviewDoc::EditGlyph(const std::u16string& hexCode) {
  // The glyph editor edits the linked EUDC font only.
  if (!IsLinkedFont()) {
    ::MessageBeep(0);
    return;
  }
  StartProgram(m_app.MainFrame().Handle(), GlyphEditorCommandLine(GetProgramFolder(), ToWide(hexCode)));
}

void CGlyphviewDoc::OnCloseDocument() { m_app.Yomi().SaveReadings(false); }

void CGlyphviewDoc::OnEudcLinkList() {
  CLog::Print(L"Command:外字ﾘﾝｸの一覧\n");
  CRegistryEudcLink link;
  CEudcLinkListDlg dialog(link, FromWide(GetSpecialFolderPath(CSIDL_FONTS)));
  if (dialog.DoModal(m_app.MainFrame().Handle()) != IDOK) return;
  const std::filesystem::path path = dialog.ResultPath();
  CLog::Print(L"Command:ﾌｧｲﾙを開く（%s）\n", path.c_str());
  Load(path);
}

bool CGlyphviewDoc::IsLinkedFont() const {
  return !m_shownPath.empty() && Lowered(m_shownPath.wstring()) == Lowered(m_app.Settings().GetLinkedFontPath(true));
}

}  // namespace moji
