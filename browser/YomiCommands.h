// CYomiCommands: the browser's commands around the linked font and its readings: the link
// change (32783), the reading edit dialog (32776, Ctrl+Y) and the input-method word
// registration of all readings (32782), with the conditions under which each is enabled.
// These commands change user-wide state (the EUDC link, the input method's dictionary), so
// they are enabled only while this is the one browser running.
#pragma once

#include <windows.h>

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

  // The registration itself (also run by the link change): words of "_OldEudc.ymi" removed,
  // the current readings added, the copy renewed, the counts shown.
  void RegisterReadingsWithIme();

 private:
  HWND Owner() const;
  bool ManagesLinkedFontAlone() const;

  CGlyphviewApp& m_app;
};

}  // namespace moji
