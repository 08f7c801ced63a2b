#include "YomiCommands.h"

#include <shlobj.h>

#include <optional>

#include "BinaryFile.h"
#include "BrowserGaijiListCtrl.h"
#include "EufCreatorWin32.h"
#include "GaijiCode.h"
#include "GlyphviewApp.h"
#include "ImmWordRegistrar.h"
#include "LinkedFontPath.h"
#include "Log.h"
#include "Message.h"
#include "MessagePrompter.h"
#include "MojiviewRes.h"
#include "ProcessUtil.h"
#include "SaveFileDlg.h"
#include "SwitchEudc.h"
#include "TextConv.h"
#include "WaitCursor.h"
#include "WaitMessage.h"
#include "YomiDictionary.h"
#include "YomiEditDlg.h"
#include "YomiFind.h"
#include "YomiFindDlg.h"

namespace moji {
namespace {

bool EndsInTte(const std::wstring& path) {
  return path.size() > 3 && ::lstrcmpiW(path.c_str() + path.size() - 3, L"tte") == 0;
}

}  // namespace

HWND CYomiCommands::Owner() const { return m_app.MainFrame().Handle(); }

bool CYomiCommands::ManagesLinkedFontAlone() const {
  return m_app.Settings().yomiManage && m_app.Document().IsLinkedFont() && CountBrowserWindows() == 1;
}

// ---- link change ----------------------------------------------------------------------------

bool CYomiCommands::CanChangeLink() const {
  const CGlyphviewDoc& document = m_app.Document();
  return EndsInTte(document.ShownPath().wstring()) && !document.IsLinkedFont() && CountBrowserWindows() == 1;
}

void CYomiCommands::OnLinkChange() {
  CLog::Print(L"Command:外字のリンクを変更\n");
  const std::wstring shown = m_app.Document().ShownPath().wstring();
  if (!CBinaryFile::Open(std::filesystem::path(shown), CBinaryFile::Access::Read)) {
    ::MessageBeep(0);
    return;
  }
  CSettings& settings = m_app.Settings();
  const std::wstring stored = ToWide(LinkStoredForm(FromWide(shown), FromWide(GetSpecialFolderPath(CSIDL_FONTS))));
  if (ShowMessage(Owner(), IDS_ASK_LINK_CHANGE, MB_YESNO | MB_ICONQUESTION, settings.defaultEudcFont.c_str(),
                  stored.c_str()) != IDYES)
    return;

  settings.defaultEudcFont = stored;
  settings.WriteString(kSectionCommon, kKeyDefaultEudcFont, stored);
  SwitchEudc(L"", kSystemDefaultEudcFont, kEudcCodePage);
  SwitchEudc(stored, kSystemDefaultEudcFont, kEudcCodePage);

  if (m_app.Yomi().LoadReadings(std::filesystem::path(shown))) RegisterReadingsWithIme();

  CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  if (list && list->IsWindow()) {
    list->SetHeaderColor(CGaijiListCtrl::kHeaderLinked);
    ::RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    list->RefreshStatusLine();
  }
}

// ---- reading edit ---------------------------------------------------------------------------

bool CYomiCommands::CanEditYomi() const {
  const CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  return ManagesLinkedFontAlone() && list && list->HasGlyph();
}

void CYomiCommands::OnYomiEdit() {
  CLog::Print(L"Command:読みの編集\n");
  CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  const int index = list && list->IsWindow() ? list->GetSelectedIndex() : -1;
  if (index < 0 || index >= kGaijiCount) {
    ::MessageBeep(0);
    return;
  }
  const int code = kGaijiFirst + index;
  int width = 0, height = 0;
  const std::vector<std::uint8_t> bits = list->ReadGlyph(code, width, height);
  // Rows of whole 16-bit words, as CreateBitmap expects them.
  const std::size_t rowBytes = static_cast<std::size_t>((width + 15) / 16 * 2);
  if (bits.empty() || width <= 0 || height <= 0 || bits.size() < rowBytes * static_cast<std::size_t>(height)) {
    ::MessageBeep(0);
    return;
  }
  HBITMAP bitmap = ::CreateBitmap(width, height, 1, 1, bits.data());
  if (!bitmap) {
    ::MessageBeep(0);
    return;
  }
  CYomiEditDlg dialog(bitmap, FormatHex4(static_cast<std::uint32_t>(code)), m_app.Yomi());
  dialog.DoModal(Owner());
  ::DeleteObject(bitmap);
  list->RefreshStatusLine();
}

// ---- input-method registration ----------------------------------------------------------------

bool CYomiCommands::CanUpdateIme() const {
  return !m_app.Document().ShownPath().empty() && ManagesLinkedFontAlone();
}

void CYomiCommands::OnImeUpdate() {
  CLog::Print(L"Command:IMの読みを更新\n");
  if (ShowMessage(Owner(), IDS_ASK_IME_UPDATE, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  RegisterReadingsWithIme();
}

void CYomiCommands::RegisterReadingsWithIme() {
  CMessagePrompter prompter(Owner());
  CImmWordRegistrar ime;
  CProcessLogSink log;
  std::optional<CWaitMessage> wait;
  std::optional<CWaitCursor> cursor;
  const ImeRegistrationServices services{prompter, ime, log, [&](bool busy) {
                                           if (busy) {
                                             wait.emplace(0, Owner());
                                             cursor.emplace();
                                           } else {
                                             cursor.reset();
                                             wait.reset();
                                           }
                                         }};
  moji::RegisterReadingsWithIme(m_app.Yomi(), std::filesystem::path(GetProgramFolder() + ToWide(imereg::kOldCopyName)), services);
}

// The store belongs to the linked font and outlives a switch to another file.
bool CYomiCommands::HasShownReadings() const { return m_app.Yomi().Count() > 0 && m_app.Document().IsLinkedFont(); }

// ---- find by reading --------------------------------------------------------------------------

bool CYomiCommands::CanFindYomi() const {
  const CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  return HasShownReadings() && list && list->IsAttached();
}

bool CYomiCommands::CanFindNextYomi() const { return CanFindYomi() && !CYomiFindDlg::LastText().empty(); }

void CYomiCommands::OnYomiFind() {
  CLog::Print(L"Command:読みで検索\n");
  if (!CanFindYomi()) return;
  CYomiFindDlg dialog;
  if (dialog.DoModal(Owner()) == IDOK) FindReading(dialog.Text());
}

void CYomiCommands::OnYomiFindNext() {
  CLog::Print(L"Command:次の読みを検索\n");
  if (CanFindNextYomi()) FindReading(CYomiFindDlg::LastText());
}

void CYomiCommands::FindReading(const std::u16string& text) {
  CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  if (!list || !list->IsWindow()) return;
  const int code = FindGaijiByReading(m_app.Yomi().Records(), text, GaijiIndexToCode(list->GetSelectedIndex()));
  CLog::Print(L"読み検索(%s)=%04X\n", ToWide(text).c_str(), static_cast<unsigned>(code));
  if (code == 0) ShowMessage(Owner(), IDS_MSG_YOMI_NOT_FOUND, MB_OK | MB_ICONINFORMATION, ToWide(text).c_str());
  else list->SelectCode(code);
}

// ---- export as a dictionary text file ------------------------------------------------------------

bool CYomiCommands::CanExportYomi() const { return HasShownReadings(); }

void CYomiCommands::OnYomiExport() {
  CLog::Print(L"Command:読みを辞書ﾌｧｲﾙに出力\n");
  if (!CanExportYomi()) return;
  const std::filesystem::path proposed = m_app.Document().BesideShownFont(L"_読み.txt");
  CSaveFileDlg dialog(L"ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)\0*.txt\0すべてのﾌｧｲﾙ (*.*)\0*.*\0", L"txt");
  if (!dialog.DoModal(Owner(), proposed)) return;
  std::size_t lines = 0;
  const std::wstring target = dialog.Path().wstring();
  if (!WriteYomiDictionary(dialog.Path(), m_app.Yomi().Records(), lines)) {
    ShowMessageLogged(Owner(), IDS_ERR_YOMI_EXPORT, MB_OK | MB_ICONEXCLAMATION, target.c_str());
    return;
  }
  CLog::Print(L"辞書ﾌｧｲﾙ出力(%s)=%d件\n", target.c_str(), static_cast<int>(lines));
  ShowMessage(Owner(), IDS_MSG_YOMI_EXPORTED, MB_OK | MB_ICONINFORMATION, target.c_str(), static_cast<int>(lines));
}

}  // namespace moji
