// CAboutDlg: the About box of both programs (modal, command 57664): the program's name and
// product version, its legal copyright (both from the version resource of the running
// program) and a link: to the maker's page when the build names one (the project's
// HOMEPAGE_URL in the top CMakeLists.txt, the one place of the address), otherwise to the
// help file's first page, labelled with string IDS_ABOUT_HELP_LINK. Each program names its
// template, its title and the ids of the three lines; a program with more in its box
// derives and adds to OnInitDialog. F1 opens the help at the program's main topic.
#pragma once

#include <string>

#include "Dialog.h"
#include "MojiVersion.h"
#include "UrlStatic.h"

namespace moji {

struct AboutBoxLayout {
  UINT templateId;
  UINT titleStringId;  // string-table text of the box's title
  int versionId;       // "%s Version %s": the program's base name and product version
  int copyrightId;     // the LegalCopyright value
  int linkId;          // link-style static (CUrlStatic)
  const wchar_t* homepage = L"" MOJI_HOMEPAGE_URL;  // the maker's page; empty: none
};

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(const AboutBoxLayout& layout);

  // A value of the "\StringFileInfo\<language><code page>\" block of the version resource
  // of `module`, for the first translation of "\VarFileInfo\Translation" that has it;
  // empty when there is none.
  static std::wstring ReadVersionString(const std::wstring& module, const wchar_t* name);

 protected:
  bool OnInitDialog() override;

 private:
  AboutBoxLayout m_layout;
  CUrlStatic m_link;
};

}  // namespace moji
