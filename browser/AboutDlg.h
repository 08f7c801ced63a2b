// CAboutDlg: the About box (dialog 100, modal, command 57664): program name and product
// version, legal copyright, the link to the web site (the link label's text in the dialog
// template is the one place of the address) and the update button, which stays disabled
// until the program can update itself. F1 is taken by the box (no help yet).
#pragma once

#include <string>

#include "Dialog.h"
#include "UrlStatic.h"

namespace moji {

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();

  bool PreTranslateMessage(MSG& msg) override;

  // A value of the "\StringFileInfo\<language><code page>\" block of the version resource
  // of `module`, for the first translation of "\VarFileInfo\Translation" that has it;
  // empty when there is none.
  static std::wstring ReadVersionString(const std::wstring& module, const wchar_t* name);

 protected:
  bool OnInitDialog() override;

 private:
  CUrlStatic m_link;
};

}  // namespace moji
