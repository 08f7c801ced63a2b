#include "GlyphviewApp.h"

#include <commctrl.h>
#include <ole2.h>

#include <optional>

#include "BrowserAboutDlg.h"
#include "BrowserGaijiListCtrl.h"
#include "BrowserMessages.h"
#include "ExternalPrograms.h"
#include "FullPath.h"
#include "Help.h"
#include "Log.h"
#include "Message.h"
#include "MessageLoop.h"
#include "MojiviewRes.h"
#include "MyCommandLineInfo.h"
#include "OleSession.h"
#include "ProcessUtil.h"
#include "RegistryEudcLink.h"
#include "StartTarget.h"
#include "TextConv.h"
#include "TteAssociation.h"
#include "WaitMessage.h"

namespace moji {
namespace {

CGlyphviewApp* g_app = nullptr;

constexpr wchar_t kRecentFilePlaceholder[] = L"最近開いた外字ﾌｧｲﾙ";
constexpr int kStartTitleSize = 64;

}  // namespace

CGlyphviewApp::CGlyphviewApp()
    : m_settings(GetProgramFolder()),
      m_recentFiles(ID_FILE_MRU_FIRST, kRecentFileCount, kRecentFilePlaceholder),
      m_yomi(m_prompter, [this] { return m_settings.YomiMaxCount(); }),
      m_document(*this),
      m_frame(*this),
      m_view(*this) {
  g_app = this;
}

CGlyphviewApp::~CGlyphviewApp() { g_app = nullptr; }

CGlyphviewApp* CGlyphviewApp::Instance() { return g_app; }

int CGlyphviewApp::Run() {
  if (!InitInstance()) {
    ExitInstance(0);
    return 1;
  }
  CMessageLoop loop;
  loop.AddIdleHandler([this] { m_frame.OnIdle(); });
  return ExitInstance(loop.Run());
}

bool CGlyphviewApp::InitInstance() {
  // Until the settings are known, message boxes carry the program's title string.
  SetAppName(LoadResourceString(IDS_APP_TITLE));
  OSVERSIONINFOW version;
  if (!IsSupportedSystem(version)) {
    ShowMessage(nullptr, IDS_ERR_NOT_NT, MB_OK);
    return false;
  }
  CLog::Print(LoadResourceString(IDS_LOG_START).c_str(), L"", static_cast<int>(version.dwMajorVersion),
              static_cast<int>(version.dwMinorVersion));

  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD computerLength = MAX_COMPUTERNAME_LENGTH + 1;
  if (!::GetComputerNameW(computer, &computerLength)) computer[0] = L'\0';
  wchar_t user[257] = {};  // UNLEN + 1
  DWORD userLength = 257;
  if (!::GetUserNameW(user, &userLength)) user[0] = L'\0';
  CLog::Print(L"CompName=%s:User=%s\n", computer, user);

  std::optional<CWaitMessage> wait;
  wait.emplace(IDS_STARTING);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  SetAppName(L"Mojiview");
  RepairInterruptedLinks(true);  // what a killed or crashed job of either program left linked
  m_settings.LoadSetting();
  m_yomi.SetManagement(m_settings.yomiManage);
  m_settings.ReadBitmapSize();
  m_recentFiles.Load(m_settings);
  m_recentFilesLoaded = true;

  CMyCommandLineInfo commandLine;
  commandLine.ParseCommandLine(::GetCommandLineW());
  if (!commandLine.Target().empty()) {
    CLog::Print(L"Target file (%s)\n", commandLine.Target().c_str());
    if (const int message = CheckStartTarget(FromWide(commandLine.Target())); message != 0) {
      // The start-up box would claim that the program is still starting.
      wait.reset();
      ShowMessageLogged(nullptr, static_cast<UINT>(message), MB_OK | MB_ICONHAND, commandLine.Target().c_str());
      return false;
    }
    m_startTarget = FullPath(commandLine.Target());
  }

  if (!CreateMainWindow()) return false;
  wait.reset();

  m_frame.RestoreHeight();
  m_frame.SetBrowserTitle(L" - ", kStartTitleSize, kStartTitleSize);
  ::ShowWindow(m_frame.Handle(), SW_SHOW);  // the show command given to the process is ignored
  ::UpdateWindow(m_frame.Handle());
  TagWindow(m_frame.Handle(), kBrowserTag);
  if (!m_startTarget.empty()) ::PostMessageW(m_view.Handle(), WM_APP_OPEN_START_TARGET, 0, 0);
  return true;
}

bool CGlyphviewApp::CreateMainWindow() {
  if (!m_frame.Create()) return false;
  m_prompter.SetOwner(m_frame.Handle());
  if (!m_view.CreateView(m_frame.Handle())) return false;
  m_frame.SetView(&m_view);
  m_frame.FitToForm(m_view.FitFormToGrid());
  m_frame.SetRecentFileList(&m_recentFiles);
  m_frame.SetQuitOnDestroy(true);
  InstallCommands();
  m_view.InitialUpdate();
  const bool bound = m_document.OnNewDocument();
  m_frame.OnIdle();  // the toolbar's states before any message box can show it
  return bound;
}

int CGlyphviewApp::ExitInstance(int exitCode) {
  if (m_exited) return exitCode;
  m_exited = true;
  CTemporaryLink::UndoAll();
  // The main window is gone: the document goes with it and writes back changed readings.
  m_prompter.SetOwner(nullptr);
  m_document.OnCloseDocument();
  CloseHelp();
  CLog::PrintResource(IDS_LOG_END);
  // A list that was never read would empty the stored one.
  if (m_recentFilesLoaded) m_recentFiles.Save(m_settings);
  EndOle();
  return exitCode;
}

void CGlyphviewApp::EndSession() {
  if (CBrowserGaijiListCtrl* list = m_document.GaijiList()) list->ReleaseEuf();
  ExitInstance(0);
}

void CGlyphviewApp::InstallCommands() {
  CCommandTable& commands = m_frame.Commands();
  const auto always = CCommandTable::Predicate{};

  // ---- working commands
  commands.Add(ID_FILE_NEW, [this] { m_document.OnNewDocument(); }, always);
  commands.Add(ID_APP_EXIT, [this] { ::PostMessageW(m_frame.Handle(), WM_CLOSE, 0, 0); }, always);
  commands.Add(ID_APP_ABOUT, [this] { CBrowserAboutDlg(m_frame.Handle(), GetProgramFolder()).DoModal(m_frame.Handle()); },
               always);
  commands.SetMenuText(ID_APP_ABOUT, LoadResourceString(IDS_ABOUT_MENU_TEXT));
  commands.Add(ID_DATA_RELOAD, [this] { m_document.Reload(); }, [this] { return !m_document.ShownPath().empty(); });
  commands.Add(ID_FILE_OPEN, [this] { m_document.OnFileOpen(); }, always);
  commands.AddRange(
      ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [this](UINT id) { m_document.OnOpenRecentFile(static_cast<int>(id - ID_FILE_MRU_FIRST)); },
      [this](UINT id) { return m_recentFiles.Entry(static_cast<int>(id - ID_FILE_MRU_FIRST)).has_value(); });
  commands.Add(ID_JUMP_CODE, [this] { m_document.OnJumpToCode(); }, always);
  commands.Add(ID_EUDC_LINK_LIST, [this] { m_document.OnEudcLinkList(); }, always);
  commands.Add(ID_TTE_ASSOCIATE, [this] { AssociateTteFiles(m_frame.Handle(), GetProgramFolder()); }, always);
  commands.Add(ID_CODE_PRINT, [this] { StartCodeTablePrinter(m_frame.Handle(), GetProgramFolder(), m_document.ShownPath().wstring()); },
               [this] { return !m_document.ShownPath().empty(); });
  commands.Add(ID_HELP, [this] { OnHelp(); }, always);
  commands.Add(ID_LINK_CHANGE, [this] { m_yomiCommands.OnLinkChange(); }, [this] { return m_yomiCommands.CanChangeLink(); });
  commands.Add(ID_YOMI_EDIT, [this] { m_yomiCommands.OnYomiEdit(); }, [this] { return m_yomiCommands.CanEditYomi(); });
  commands.Add(ID_YOMI_FIND, [this] { m_yomiCommands.OnYomiFind(); }, [this] { return m_yomiCommands.CanFindYomi(); });
  commands.Add(ID_YOMI_FIND_NEXT, [this] { m_yomiCommands.OnYomiFindNext(); },
               [this] { return m_yomiCommands.CanFindNextYomi(); });
  commands.Add(ID_YOMI_EXPORT, [this] { m_yomiCommands.OnYomiExport(); }, [this] { return m_yomiCommands.CanExportYomi(); });
  commands.Add(ID_IME_UPDATE, [this] { m_yomiCommands.OnImeUpdate(); }, [this] { return m_yomiCommands.CanUpdateIme(); });
  commands.Add(ID_EDIT_COPY, [this] { m_document.OnCopyGlyph(); }, [this] { return m_document.CanCopyGlyph(); });
  commands.Add(ID_GLYPH_SAVE_IMAGE, [this] { m_document.OnSaveGlyphImage(); }, [this] { return m_document.CanCopyGlyph(); });
  commands.Add(ID_CLIPBOARD_CHECK, [this] { m_document.OnClipboardCheck(); }, [this] { return m_document.HasClipboardGlyph(); });
  commands.Add(ID_BITMAP_FIND, [this] { m_document.OnBitmapFind(); },
               [this] { return !m_document.ShownPath().empty() && m_document.HasClipboardGlyph(); });
  commands.Add(ID_CANDIDATES, [this] { m_candidateCommands.OnCandidates(); },
               [this] { return m_candidateCommands.CanShowCandidates(); });
  commands.Add(ID_CANDIDATE_TABLE, [this] { m_candidateCommands.OnCandidateTable(); },
               [this] { return m_candidateCommands.CanWriteTable(); });

  // ---- shown, never enabled: the gaiji manager is not started from the browser
  commands.Add(ID_GAIJI_MANAGER, nullptr, [] { return false; });
}

void CGlyphviewApp::OnHelp() {
  // F1 reaches the frame also while another program is in front (a key sent to the
  // window): help opens only for the window the user is looking at.
  if (::GetForegroundWindow() != m_frame.Handle()) return;
  CLog::Print(L"Command:ﾒｲﾝﾍﾙﾌﾟ表示\n");
  ShowHelp(m_frame.Handle(), kHelpContextMain);
}

}  // namespace moji
