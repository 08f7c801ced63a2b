// CBitmapFindDlg (template IDD_BITMAP_FIND): shows the pattern of the bitmap match search at
// 64 x 64 with its size, and asks where to start: from the top (0) or after the selected
// cell (1). The start choice is 0 at every opening. F1 opens the help.
//
//   CBitmapFindDlg dlg(pattern);               // the pattern stays the caller's
//   if (dlg.DoModal(owner) == IDOK) grid.FindBitmap(dlg.StartChoice() == 0, pattern);
#pragma once

#include <string>

#include "BitmapPict.h"
#include "Dialog.h"

namespace moji {

class CBitmapFindDlg : public CDialog {
 public:
  enum StartChoice { kFromTop = 0, kAfterSelection = 1 };

  explicit CBitmapFindDlg(HBITMAP pattern);
  ~CBitmapFindDlg() override;

  int StartChoice() const { return m_start; }
  // "%d×%d" of the pattern, set at initialisation.
  const std::wstring& SizeText() const { return m_sizeText; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  HBITMAP m_pattern;
  CBitmapPict m_picture;
  std::wstring m_sizeText;
  int m_start = kFromTop;
};

}  // namespace moji
