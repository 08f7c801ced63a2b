// CEufMakeAnsDlg (template IDD_EUF_MAKE_ANS): asked when a TTE file without an EUF beside it
// is opened. Shows the path, warns about the creation, and offers the check box "the TTE
// also holds gaiji beyond the Shift-JIS range". はい ends with IDOK, いいえ with IDCANCEL.
//
//   CEufMakeAnsDlg ask(path);
//   if (ask.DoModal(owner) == IDOK) CreateEuf(..., ask.UnicodeChecked());
#pragma once

#include <string>

#include "Dialog.h"
#include "PointFont.h"

namespace moji {

class CEufMakeAnsDlg : public CDialog {
 public:
  explicit CEufMakeAnsDlg(std::wstring path);
  ~CEufMakeAnsDlg() override;

  // The state of the check box when the dialog ended (initially off).
  bool UnicodeChecked() const { return m_unicode; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void ReadCheckBox();

  std::wstring m_path;
  bool m_unicode = false;
  UniqueFont m_font;
};

}  // namespace moji
