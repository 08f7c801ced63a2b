// CGlyphviewApp: the browser's application object. Run() does the start-up in its fixed
// order (system check, log, wait box, OLE, settings, recent files, command line, frame,
// view and document, window shown and tagged, start target posted), runs the message
// loop and does the exit (log line, recent files written).
//
// One browser process shows at most one gaiji file; Ctrl+N starts another process. A fully
// started browser marks its main window with kBrowserTag (ProcessUtil.h), which is how
// browsers count one another.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "CandidateCommands.h"
#include "GlyphviewDoc.h"
#include "GlyphviewView.h"
#include "MainFrame.h"
#include "MessagePrompter.h"
#include "RecentFileList.h"
#include "Settings.h"
#include "YomiCommands.h"
#include "YomiStore.h"

namespace moji {

class CGlyphviewApp {
 public:
  static constexpr int kRecentFileCount = 8;

  CGlyphviewApp();
  ~CGlyphviewApp();
  CGlyphviewApp(const CGlyphviewApp&) = delete;
  CGlyphviewApp& operator=(const CGlyphviewApp&) = delete;

  // The application object of the process; nullptr outside its lifetime.
  static CGlyphviewApp* Instance();

  // Start-up, message loop, exit. Returns the process's exit code: the loop's, or 1 when
  // start-up failed (no main window was shown).
  int Run();

  CSettings& Settings() { return m_settings; }
  CRecentFileList& RecentFiles() { return m_recentFiles; }
  // Readings of the shown linked font (one store per process).
  CYomiStore& Yomi() { return m_yomi; }
  CGlyphviewDoc& Document() { return m_document; }
  CMainFrame& MainFrame() { return m_frame; }
  CGlyphviewView& View() { return m_view; }

  // The session ends: what the exit writes is written now (readings, recent files, log line),
  // temporary links are undone and the temporary EUF copy is removed.
  void EndSession();

  // The gaiji file that the view opens when it receives WM_APP_OPEN_START_TARGET: the
  // command-line target, or a dropped file (set before posting the message).
  const std::filesystem::path& StartTarget() const { return m_startTarget; }
  void SetStartTarget(std::filesystem::path path) { m_startTarget = std::move(path); }

 private:
  bool InitInstance();
  int ExitInstance(int exitCode);
  bool CreateMainWindow();
  void InstallCommands();
  // Command 57670 (F1): the help's main page, only while the main window is in front.
  void OnHelp();

  CSettings m_settings;
  CRecentFileList m_recentFiles;
  CMessagePrompter m_prompter;  // numbered messages of the reading store, owned by the frame
  CYomiStore m_yomi;            // outlives the document, which saves it when it goes
  CGlyphviewDoc m_document;
  CMainFrame m_frame;
  CGlyphviewView m_view;
  CCandidateCommands m_candidateCommands{*this};  // standard-character candidates and table
  CYomiCommands m_yomiCommands{*this};  // link change, reading edit, input-method update
  std::filesystem::path m_startTarget;
  bool m_recentFilesLoaded = false;
  bool m_exited = false;
};

}  // namespace moji
