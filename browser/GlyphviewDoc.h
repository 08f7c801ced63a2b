// CGlyphviewDoc: the browser's single document, one gaiji font file pair (a TTE file and
// the EUF file beside it). It keeps the path it was opened with and is the command target
// of the file commands.
//
// Opening a file (Load) needs the gaiji list control, the TTE file selection and the EUF
// creation; until they are part of the program, Load opens nothing and the document stays
// empty (no shown path, title " - ").
#pragma once

#include <string>

namespace moji {

class CGlyphviewApp;
class CBrowserGaijiListCtrl;

class CGlyphviewDoc {
 public:
  explicit CGlyphviewDoc(CGlyphviewApp& app) : m_app(app) {}
  CGlyphviewDoc(const CGlyphviewDoc&) = delete;
  CGlyphviewDoc& operator=(const CGlyphviewDoc&) = delete;

  // The new-document call. The first call, at start-up, binds the document to the view's
  // gaiji list control and succeeds. Every later call (command 57600, Ctrl+N) leaves this
  // document alone, starts a new browser process ("<program>" /M) and answers false;
  // when the process cannot be started, message 2050 names the command line.
  bool OnNewDocument();

  // Opens a gaiji file (TTE or EUF path). Not yet able to open anything: answers false
  // and changes nothing.
  bool Load(const std::wstring& path);

  // Opens the shown file again (command 32792, F5, and the glyph editor's notification).
  void Reload();

  // The shown path, lower-cased, equals the linked EUDC font's TTE path, lower-cased.
  bool IsLinkedFont() const;

  // The path given to the last successful open, exactly as given; empty at start.
  const std::wstring& ShownPath() const { return m_shownPath; }

  // The view's gaiji list control (not owned); nullptr until bound or while the program
  // has none.
  CBrowserGaijiListCtrl* GaijiList() const { return m_list; }

 private:
  CGlyphviewApp& m_app;
  CBrowserGaijiListCtrl* m_list = nullptr;
  bool m_bound = false;
  std::wstring m_shownPath;
};

}  // namespace moji
