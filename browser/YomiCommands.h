// CYomiCommands: the browser's commands around the linked font and its readings: the link
// change (32783), the reading edit dialog (32776, Ctrl+Y) and the input-method word
// registration of all readings (32782), with the conditions under which each is enabled.
// These commands change user-wide state (the EUDC link, the input method's dictionary), so
// they are enabled only while this is the one browser running. The find by reading (32801,
// Ctrl+F, and 32802, F3) and the export of the readings as a dictionary text file (32800)
// only read the store and are enabled whenever it holds a record.
#pragma once

#include <windows.h>

#include <string>

namespace moji {

class CGlyphviewApp;

class CYomiCommands {
 public:
  explicit CYomiCommands(CGlyphviewApp& app) : m_app(app) {}
  CYomiCommands(const CYomiCommands&) = delete;
  CYomiCommands& operator=(const CYomiCommands&) = delete;

  // Makes the shown TTE the EUDC font linked for all typefaces and the configured default
  // EUDC font, then loads its readings and registers them with the input method.
  void OnLinkChange();
  bool CanChangeLink() const;

  // The reading edit dialog for the selected cell's gaiji.
  void OnYomiEdit();
  bool CanEditYomi() const;

  // Asks, then registers every reading of the linked font with the input method.
  void OnImeUpdate();
  bool CanUpdateIme() const;

  // The find dialog, then the first gaiji after the selection with the reading typed (an
  // equal reading before a prefix, wrapping once); 32802 repeats the last search.
  void OnYomiFind();
  void OnYomiFindNext();
  bool CanFindYomi() const;
  bool CanFindNextYomi() const;

  // A save dialog proposing "<font>_読み.txt" beside the shown font, then the word list of
  // all readings written atomically (YomiDictionary.h) and the count of lines shown.
  void OnYomiExport();
  bool CanExportYomi() const;

  // The registration itself (also run by the link change): words of "_OldEudc.ymi" removed,
  // the current readings added, the copy renewed, the counts shown.
  void RegisterReadingsWithIme();

 private:
  HWND Owner() const;
  bool ManagesLinkedFontAlone() const;
  // The shown file is the linked font and its store holds a record.
  bool HasShownReadings() const;
  // Selects the hit for `text`, or shows 5050.
  void FindReading(const std::u16string& text);

  CGlyphviewApp& m_app;
};

}  // namespace moji
