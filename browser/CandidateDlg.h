// CCandidateDlg (template IDD_CANDIDATES, "標準文字の候補"): the characters of the reference
// font that look most like the selected gaiji. It shows the gaiji's bitmap and code, the
// reference font's name with a button to choose another font, and the best candidates, each
// drawn large in the reference font (by glyph index, so that a variation sequence shows its
// own form) with its code points and similarity. ◀ ▶ move to the previous or next gaiji that
// has a glyph (the grid's selection follows); ｺﾋﾟｰ puts the chosen candidate's characters on
// the clipboard as text; Esc closes.
#pragma once

#include <memory>
#include <vector>

#include "BitmapPict.h"
#include "CandidateIndex.h"
#include "Dialog.h"

namespace moji {

class CCandidateCommands;

class CCandidateDlg : public CDialog {
 public:
  static constexpr int kShown = 10;

  CCandidateDlg(CCandidateCommands& commands, int code);
  ~CCandidateDlg() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // Reads the gaiji `code` and its candidates into the controls.
  void ShowGaiji(int code);
  void ShowFace();
  void DrawCandidate(const DRAWITEMSTRUCT& item);
  void CopyChosen();

  CCandidateCommands& m_commands;
  int m_code;
  std::vector<Candidate> m_found;
  CBitmapPict m_picture;
  HBITMAP m_bitmap = nullptr;
  HFONT m_glyphFont = nullptr;  // the reference font, large
};

}  // namespace moji
