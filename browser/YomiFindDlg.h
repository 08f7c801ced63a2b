// CYomiFindDlg (template IDD_YOMI_FIND): asks for the reading to find, typed into a hiragana
// edit. The last text searched for is remembered for the process and shown again by the next
// dialog, so that 検索 of the same text goes on to the next hit. An empty input keeps the
// dialog open with message 5051.
//
//   CYomiFindDlg dialog;
//   if (dialog.DoModal(frame) == IDOK) Find(dialog.Text());
#pragma once

#include <string>

#include "Dialog.h"
#include "HirakanaEdit.h"

namespace moji {

class CYomiFindDlg : public CDialog {
 public:
  static constexpr int kMaxInput = 22;  // units of one stored reading

  CYomiFindDlg();
  ~CYomiFindDlg() override;

  // The trimmed text after OK.
  const std::u16string& Text() const { return s_lastText; }
  // The text of the last search of the process; empty before the first.
  static const std::u16string& LastText() { return s_lastText; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  static std::u16string s_lastText;

  CHirakanaEdit m_input;
};

}  // namespace moji
