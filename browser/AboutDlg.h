// CAboutDlg: the About box (dialog 100, modal, command 57664): program name and product
// version, legal copyright, the link to the web site (the link label's text in the dialog
// template is the one place of the address) and the update button, whose action the
// browser's CBrowserAboutDlg gives it. F1 opens the help at the main page.
#pragma once

#include <string>

#include "Dialog.h"
#include "UrlStatic.h"

namespace moji {

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();

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
