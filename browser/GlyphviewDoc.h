// CGlyphviewDoc: the browser's single document, one gaiji font file pair (a TTE file and
// the EUF file beside it). It keeps the path it was opened with and the TTE reader's
// presence table; the glyphs themselves are read on demand by the view's gaiji list
// control from the EUF. It is the command target of the file commands.
#pragma once

#include <filesystem>
#include <string>

#include "TTEMetrics.h"

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

  // Opens a gaiji file given by its TTE or EUF path: reads the TTE, offers to create a
  // missing EUF from it, and hands the EUF to the list control. False when nothing new is
  // shown (missing file, creation refused or failed, EUF unusable), and for a call made
  // while an open is still running (from inside one of its message boxes or dialogs).
  bool Load(const std::filesystem::path& path);

  // Opens the shown file again (command 32792, F5, and the glyph editor's notification).
  // While an open runs (its message boxes and dialogs run message loops of their own) the
  // reload waits: it runs once when the open has returned, however often it was asked for.
  void Reload();

  // An open is running; a reload asked for now is deferred.
  bool IsLoading() const { return m_loading; }

  // Commands: the TTE file selection dialog (57601), a recent file (57616..), the jump to
  // a typed code (32796).
  void OnFileOpen();
  void OnOpenRecentFile(int index);
  void OnJumpToCode();
  // Command 32806: the list of the user's EUDC links (CEudcLinkListDlg); its 開く opens the
  // chosen TTE as the open command does.
  void OnEudcLinkList();

  // Commands of the clipboard: the bitmap copy (57634, enabled by CanCopyGlyph), the
  // bitmap match search (32780) and the clipboard balloon (32779), both enabled by
  // HasClipboardGlyph (the search also needs a shown file).
  void OnCopyGlyph();
  void OnBitmapFind();
  void OnClipboardCheck();
  bool CanCopyGlyph() const;
  bool HasClipboardGlyph() const;

  // Command 32803, enabled by CanCopyGlyph: a save dialog proposing "<code>.png" in the
  // shown font's folder, then the selected glyph written as a 1 bpp PNG, or BMP when the
  // chosen name ends in ".bmp" (GlyphImageFile.h); message 5054 when it cannot be written.
  void OnSaveGlyphImage();

  // A double-click on a glyph cell: the glyph editor "Mojidraw.exe <code>" starts for the
  // linked font (message 2050 when it cannot); for any other file a beep.
  void EditGlyph(const std::u16string& hexCode);

  // The document goes with the main window: changed readings are written back.
  void OnCloseDocument();

  // The shown path, lower-cased, equals the linked EUDC font's TTE path, lower-cased.
  bool IsLinkedFont() const;

  // The path given to the last open that got as far as the EUF (made absolute where it
  // entered the program); empty at start.
  const std::filesystem::path& ShownPath() const { return m_shownPath; }
  // A file beside the shown font named after it: "<folder>\<font name><suffix>", as the
  // export commands propose ("_読み.txt", "_候補.csv").
  std::filesystem::path BesideShownFont(const std::wstring& suffix) const {
    std::filesystem::path path = m_shownPath.parent_path() / m_shownPath.stem();
    path += suffix;
    return path;
  }

  const CTTEMetrics& Metrics() const { return m_tte; }

  // The view's gaiji list control (not owned); nullptr until bound.
  CBrowserGaijiListCtrl* GaijiList() const { return m_list; }

 private:
  bool ListIsWindow() const;
  bool LoadFile(const std::filesystem::path& path);
  void RunDeferredReload();

  CGlyphviewApp& m_app;
  CBrowserGaijiListCtrl* m_list = nullptr;
  bool m_bound = false;
  bool m_loading = false;         // inside Load
  bool m_reloadPending = false;   // a reload asked for while loading
  bool m_runningDeferred = false; // the deferred reloads are being run
  std::filesystem::path m_shownPath;
  CTTEMetrics m_tte;
};

}  // namespace moji
