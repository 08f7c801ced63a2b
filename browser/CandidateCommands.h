// CCandidateCommands: the browser's commands that propose standard characters for gaiji:
// the candidates dialog for the selected gaiji (32804) and the mapping table of the whole
// font as a CSV file (32805), both enabled while a font with glyphs is shown.
//
// The reference font is the face stored as CandidateFont under [GkpBrowserSettings], by
// default "IPAmj明朝" when it is installed, else "ＭＳ 明朝". Its index (CandidateIndex.h) is
// kept in memory for the process and in a cache file under %LOCALAPPDATA%\Mojiview\; it is
// built, with a progress box that can cancel, when the cache is missing, damaged or stale.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CandidateIndex.h"

namespace moji {

class CGlyphviewApp;

class CCandidateCommands {
 public:
  explicit CCandidateCommands(CGlyphviewApp& app) : m_app(app) {}
  CCandidateCommands(const CCandidateCommands&) = delete;
  CCandidateCommands& operator=(const CCandidateCommands&) = delete;

  void OnCandidates();
  bool CanShowCandidates() const;
  // A save dialog proposing "<font name>_候補.csv" beside the shown font, then one row per
  // gaiji with a glyph (CandidateTable.h) written atomically and the count shown.
  void OnCandidateTable();
  bool CanWriteTable() const;

  // For the dialog: the reference font's face; the `count` best candidates of gaiji `code`
  // and its bitmap (the caller deletes it); the next gaiji with a glyph after `code` in
  // `direction` (+1, −1), selected in the grid, or 0; another face chosen by the user.
  const std::wstring& Face();
  bool CandidatesOf(HWND owner, int code, std::size_t count, std::vector<Candidate>& found, HBITMAP* bitmap);
  int StepGaiji(int code, int direction);
  bool ChooseFace(HWND owner);

 private:
  HWND Owner() const;
  // The index of the reference font, from the cache or built; false (the user told) when
  // the font cannot be read or the build was cancelled.
  bool EnsureIndex(HWND owner);
  // The shape of gaiji `code` as the grid holds it; false when it has no ink.
  bool ShapeOf(int code, CShapeFeature& shape, HBITMAP* bitmap);

  CGlyphviewApp& m_app;
  std::wstring m_face;
  CCandidateIndex m_index;
};

}  // namespace moji
