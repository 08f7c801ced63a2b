// CBrowserAboutDlg: the browser's About box (dialog 100): the core's box with the update
// button, which stays disabled until the program can update itself. F1 is taken by the box.
#pragma once

#include "AboutDlg.h"

namespace moji {

class CBrowserAboutDlg : public CAboutDlg {
 public:
  CBrowserAboutDlg();

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  bool OnInitDialog() override;
};

}  // namespace moji
