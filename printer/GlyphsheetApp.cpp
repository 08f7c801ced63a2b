#include "GlyphsheetApp.h"

#include <commctrl.h>
#include <ole2.h>

#include <optional>
#include <vector>

#include "AboutDlg.h"
#include "CodeTablePage.h"
#include "FullPath.h"
#include "Help.h"
#include "Log.h"
#include "Message.h"
#include "MessageLoop.h"
#include "MojisheetRes.h"
#include "OleSession.h"
#include "ProcessUtil.h"
#include "RegistryEudcLink.h"
#include "SwitchEudc.h"
#include "TextConv.h"
#include "WaitMessage.h"

namespace moji {

namespace {

constexpr wchar_t kAppName[] = L"Mojisheet";
constexpr wchar_t kBrowserProgram[] = L"Mojiview.exe";

void BringForward(HWND window) {
  if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  ::SetForegroundWindow(window);
  if (HWND popup = ::GetLastActivePopup(window); popup && popup != window) ::SetForegroundWindow(popup);
}

}  // namespace

CGlyphsheetApp::CGlyphsheetApp() : m_settings(GetProgramFolder()), m_view(*this), m_frame(*this) {}

CGlyphsheetApp::~CGlyphsheetApp() {
  ExitInstance();
  EndOle();
  if (m_mutex) ::CloseHandle(m_mutex);
}

int CGlyphsheetApp::Run(const wchar_t* arguments) {
  if (!InitInstance(arguments ? arguments : L"")) return 1;
  CMessageLoop loop;
  loop.AddIdleHandler([this] { m_frame.OnIdle(); });
  const int exitCode = loop.Run();
  ExitInstance();
  return exitCode;
}

void CGlyphsheetApp::ExitInstance() {
  if (m_exited) return;
  m_exited = true;
  // WM_QUIT may end the loop in the middle of a preview (the updater ends every printer so).
  m_frame.EndPreview();
  CTemporaryLink::UndoAll();  // a job still in force elsewhere (the session ends mid-print)
  m_frame.Destroy();
  CloseHelp();  // the help viewer's windows end before the program, as the viewer asks
}

void CGlyphsheetApp::EndSession() {
  m_frame.SavePlacement();
  m_printing.CancelJob();
  ExitInstance();
}

void CGlyphsheetApp::OnPrint() {
  const PrintResult result = m_printing.Print(m_view, LoadResourceString(IDS_DOCUMENT_NAME));
  if (result.status != PrintResult::kFailed) return;
  const std::wstring reason = result.error != 0 ? SystemErrorText(result.error) : std::wstring();
  if (result.outputFile.empty())
    ShowMessageLogged(m_frame.Handle(), IDS_ERR_PRINT_FAILED, MB_OK | MB_ICONHAND, result.printer.c_str(),
                      reason.c_str());
  else
    ShowMessageLogged(m_frame.Handle(), IDS_ERR_PRINT_FILE_FAILED, MB_OK | MB_ICONHAND, result.printer.c_str(),
                      result.outputFile.c_str(), reason.c_str());
}

bool CGlyphsheetApp::InitInstance(const wchar_t* arguments) {
  SetAppName(kAppName);
  SetHelpTopics(kPrinterHelpTopics);
  OSVERSIONINFOW version;
  if (!IsSupportedSystem(version)) {
    ShowMessage(nullptr, IDS_ERR_NOT_NT, MB_OK);
    return false;
  }
  // The "/f:" path is the only argument; no other processing of the line follows, so a path
  // with spaces (the browser does not quote it) stays whole. A relative path is made
  // absolute here, against the folder the printer was started in.
  m_printTtePath = FullPath(ToWide(ParsePrintTarget(FromWide(arguments)))).wstring();

  if (!TakeSingleInstance()) return false;

  std::optional<CWaitMessage> wait;
  wait.emplace(IDS_STARTING);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  LoadSettings();
  if (!CreateMainWindow()) return false;
  wait.reset();

  m_frame.SetText(FormatResource(IDS_PRINTER_TITLE, kAppName,
                                 (m_printTtePath.empty() ? DefaultEudcFont() : m_printTtePath).c_str()));
  ::ShowWindow(m_frame.Handle(), SW_SHOW);
  ::UpdateWindow(m_frame.Handle());
  TagWindow(m_frame.Handle(), kPrinterTag);
  return true;
}

bool CGlyphsheetApp::TakeSingleInstance() {
  m_mutex = ::CreateMutexW(nullptr, TRUE, kPrinterTag);
  if (m_mutex && ::GetLastError() != ERROR_ALREADY_EXISTS) return true;
  if (const std::vector<HWND> running = TaggedWindows(kPrinterTag); !running.empty()) BringForward(running.front());
  return false;
}

void CGlyphsheetApp::LoadSettings() {
  m_settings.defaultEudcFont = m_settings.ReadString(kSectionCommon, kKeyDefaultEudcFont);
  if (m_settings.defaultEudcFont.empty()) {
    m_settings.defaultEudcFont = kDefaultEudcFontName;
    m_settings.WriteString(kSectionCommon, kKeyDefaultEudcFont, m_settings.defaultEudcFont);
  }
  m_settings.gaijiShowFont = m_settings.ReadString(kSectionGkp, kKeyGaijiShowFont);
  if (m_settings.gaijiShowFont.empty()) m_settings.gaijiShowFont = kDefaultGaijiShowFont;
  // What a killed or crashed job of either program left linked is put back first; then every
  // start links the default font for all faces.
  RepairInterruptedLinks(false);
  SwitchEudc(L"", kSystemDefaultEudcFont, kEudcCodePage, false);
  SwitchEudc(m_settings.defaultEudcFont, kSystemDefaultEudcFont, kEudcCodePage, false);
}

bool CGlyphsheetApp::CreateMainWindow() {
  if (!m_frame.Create()) return false;
  m_printing.SetOwner(m_frame.Handle());
  if (!m_view.CreateView(m_frame.Handle())) return false;
  m_frame.SetView(&m_view);
  m_frame.FitToForm(m_view.FormSize());
  m_frame.SetQuitOnDestroy(true);
  InstallCommands();
  m_view.InitialUpdate();
  m_frame.OnIdle();  // the toolbar's states before any message box can show it
  return true;
}

void CGlyphsheetApp::InstallCommands() {
  CCommandTable& commands = m_frame.Commands();
  const auto notInPreview = [this] { return !m_frame.InPreview(); };
  commands.Add(ID_FILE_PRINT, [this] { OnPrint(); }, notInPreview);
  commands.Add(ID_FILE_PRINT_PREVIEW, [this] { m_frame.ShowPreview(); }, notInPreview);
  commands.Add(ID_FILE_PRINT_SETUP, [this] { m_printing.PrinterSetup(); }, notInPreview);
  commands.Add(ID_APP_EXIT, [this] { ::PostMessageW(m_frame.Handle(), WM_CLOSE, 0, 0); });
  commands.Add(ID_BROWSER_LAUNCH, [this] { LaunchBrowser(); });
  commands.Add(ID_HELP, [this] {
    if (::GetForegroundWindow() == m_frame.Handle()) ShowHelp(m_frame.Handle(), kHelpContextMain);
  });
  commands.Add(ID_APP_ABOUT, [this] {
    CAboutDlg(AboutBoxLayout{IDD_ABOUTBOX, IDS_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_URL})
        .DoModal(m_frame.Handle());
  });
  commands.SetMenuText(ID_APP_ABOUT, LoadResourceString(IDS_ABOUT_MENU_TEXT));
  commands.Add(ID_GAIJI_MANAGER, nullptr, [] { return false; });

  // The edit commands act on the focused code field.
  const auto inCodeField = [this] { return FocusIsCodeField(); };
  commands.Add(ID_EDIT_UNDO, [this] { ForwardToFocusedEdit(WM_UNDO); }, inCodeField);
  commands.Add(ID_EDIT_CUT, [this] { ForwardToFocusedEdit(WM_CUT); }, inCodeField);
  commands.Add(ID_EDIT_COPY, [this] { ForwardToFocusedEdit(WM_COPY); }, inCodeField);
  commands.Add(ID_EDIT_PASTE, [this] { ForwardToFocusedEdit(WM_PASTE); }, inCodeField);
}

bool CGlyphsheetApp::FocusIsCodeField() const {
  HWND focus = ::GetFocus();
  return focus && (focus == m_view.Item(IDC_START_CODE) || focus == m_view.Item(IDC_END_CODE));
}

void CGlyphsheetApp::ForwardToFocusedEdit(UINT message) const {
  if (FocusIsCodeField()) ::SendMessageW(::GetFocus(), message, 0, 0);
}

void CGlyphsheetApp::LaunchBrowser() {
  const std::wstring commandLine = L"\"" + GetProgramFolder() + kBrowserProgram + L"\"";
  if (!LaunchProgram(commandLine, SW_SHOWDEFAULT))
    ShowMessage(m_frame.Handle(), IDS_ERR_LAUNCH, MB_OK, commandLine.c_str());
}

}  // namespace moji
