// CAddrJumpDlg (template IDD_ADDR_JUMP): asks for one gaiji code, typed as four hexadecimal
// digits either as a Unicode code or as a Shift-JIS code, and hands back the Unicode code.
// The last accepted input (text and type) is remembered for the process and shown again
// by the next dialog. A refused input shows message 2036 and keeps the dialog open.
//
//   CAddrJumpDlg dlg;
//   if (dlg.DoModal(owner) == IDOK) grid.SelectCode(dlg.Result());
#pragma once

#include <string>

#include "Dialog.h"
#include "HankakuEdit.h"
#include "PointFont.h"

namespace moji {

class CAddrJumpDlg : public CDialog {
 public:
  enum CodeType { kUnicode = 0, kShiftJis = 1 };
  static constexpr int kMaxDigits = 4;

  CAddrJumpDlg();
  ~CAddrJumpDlg() override;

  // The Unicode gaiji code after OK; -1 before.
  int Result() const { return m_result; }

  // The values a new dialog starts with.
  static const std::wstring& LastCodeText() { return s_lastText; }
  static int LastCodeType() { return s_lastType; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  static std::wstring s_lastText;
  static int s_lastType;

  CHankakuEdit m_edit;
  UniqueFont m_font;
  std::wstring m_text;
  int m_type;
  int m_result = -1;
};

}  // namespace moji
