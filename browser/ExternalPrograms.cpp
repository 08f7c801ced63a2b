#include "ExternalPrograms.h"

#include <vector>

#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "ProcessUtil.h"
#include "StartTarget.h"
#include "TextConv.h"
#include "WaitCursor.h"

namespace moji {
namespace {

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

std::wstring PrinterTtePath(const std::wstring& shownPath) {
  if (shownPath.size() < 3) return shownPath;
  std::wstring ending = shownPath.substr(shownPath.size() - 3);
  for (wchar_t& c : ending) c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  if (ending != L"euf") return shownPath;
  return shownPath.substr(0, shownPath.size() - 3) + L"tte";
}

std::wstring PrinterCommandLine(const std::wstring& programFolder, const std::wstring& ttePath) {
  return Quoted(programFolder + L"Mojisheet.exe") + L" /F:" + ttePath;
}

std::wstring GlyphEditorCommandLine(const std::wstring& programFolder, const std::wstring& hexCode) {
  return Quoted(programFolder + L"Mojidraw.exe") + L" " + hexCode;
}

std::wstring UpdaterCommandLine(const std::wstring& programFolder) { return Quoted(programFolder + L"Updatix.exe"); }

bool StartProgram(HWND owner, const std::wstring& commandLine) {
  if (LaunchProgram(commandLine, SW_SHOWDEFAULT)) return true;
  ShowMessageLogged(owner, IDS_ERR_LAUNCH, MB_OK, commandLine.c_str());
  return false;
}

bool StartCodeTablePrinter(HWND owner, const std::wstring& programFolder, const std::wstring& shownPath) {
  CLog::Print(L"Command:外字一覧表の印刷（外部プログラム起動）\n");
  const std::vector<HWND> printers = TaggedWindows(kPrinterTag);
  if (!printers.empty()) {
    ShowMessage(owner, IDS_ERR_PRINTER_RUNNING, MB_OK);
    ::SetForegroundWindow(printers.front());
    return false;
  }
  const std::wstring ttePath = PrinterTtePath(shownPath);
  if (!PathExists(FromWide(ttePath))) {
    ShowMessage(owner, IDS_ERR_PRINT_NEEDS_TTE, MB_OK);
    return false;
  }
  return StartProgram(owner, PrinterCommandLine(programFolder, ttePath));
}

void QuitAllBrowsersAndPrinters(HWND self) {
  CWaitCursor wait;
  ::PostMessageW(self, WM_QUIT, 0, 0);
  std::vector<HWND> windows = TaggedWindows(kBrowserTag);
  const std::vector<HWND> printers = TaggedWindows(kPrinterTag);
  windows.insert(windows.end(), printers.begin(), printers.end());
  for (HWND window : windows) {
    if (::IsWindow(window)) ::PostMessageW(window, WM_QUIT, 0, 0);
  }
}

}  // namespace moji
