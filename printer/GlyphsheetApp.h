// CGlyphsheetApp: the code-table printer's application object. Run() does the start-up in
// its fixed order (system check, command line, single instance, wait box, OLE, settings
// and the reset of the link for all typefaces, frame and view, title, window shown and
// tagged), then runs the message loop.
//
// The printer runs once: a second start finds the first by its named mutex, brings its
// window (tagged kPrinterTag) to the front and ends without a word.
#pragma once

#include <windows.h>

#include <string>

#include "GlyphsheetView.h"
#include "MainFrame.h"
#include "PrintService.h"
#include "Settings.h"

namespace moji {

class CGlyphsheetApp {
 public:
  CGlyphsheetApp();
  ~CGlyphsheetApp();
  CGlyphsheetApp(const CGlyphsheetApp&) = delete;
  CGlyphsheetApp& operator=(const CGlyphsheetApp&) = delete;

  // Start-up, message loop, exit. Returns the loop's exit code, or 1 when the program did
  // not start (another instance runs, unsupported system, no window).
  // `arguments`: the command line after the program's name.
  int Run(const wchar_t* arguments);

  CSettings& Settings() { return m_settings; }
  CMainFrame& MainFrame() { return m_frame; }
  CGlyphsheetView& View() { return m_view; }
  CPrintService& Printing() { return m_printing; }

  // The session ends: the placement is stored, a print job is cancelled and what the exit
  // undoes is undone now (ExitInstance).
  void EndSession();

  // The TTE given by "/f:" (empty when none), the DefaultEudcFont and GaijiShowFont settings,
  // and the file of the default EUDC font (GetLinkedFontPath with the TTE extension).
  const std::wstring& PrintTtePath() const { return m_printTtePath; }
  const std::wstring& DefaultEudcFont() const { return m_settings.defaultEudcFont; }
  const std::wstring& GaijiShowFont() const { return m_settings.gaijiShowFont; }
  std::wstring DefaultEudcFontFile() const { return m_settings.GetLinkedFontPath(true); }

 private:
  bool InitInstance(const wchar_t* arguments);
  // Once, whichever way the program ends: the preview and its job end (the temporary link is
  // undone), the frame goes while the view it shows still exists, the help viewer closes.
  void ExitInstance();
  void OnPrint();
  // The first instance keeps the mutex; a later one brings the first one's window forward.
  bool TakeSingleInstance();
  void LoadSettings();
  bool CreateMainWindow();
  void InstallCommands();
  void LaunchBrowser();
  // Sends the edit command `message` (WM_COPY, ...) to the focused code field.
  void ForwardToFocusedEdit(UINT message) const;
  bool FocusIsCodeField() const;

  CSettings m_settings;
  CPrintService m_printing;
  CGlyphsheetView m_view;  // outlives the frame, whose preview draws it
  CMainFrame m_frame;
  std::wstring m_printTtePath;
  HANDLE m_mutex = nullptr;
  bool m_exited = false;
};

}  // namespace moji
