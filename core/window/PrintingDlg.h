// CPrintingDlg: the modeless "印刷中" box shown while a print job sends its pages: the
// document's name, the page being printed and a cancel button. The program stays responsive
// meanwhile through the job's abort procedure (CPrintService), which also asks Cancelled().
//
// Template IDD_PRINTING (CoreRes.h, PrintPreview.rc), text IDS_PRINTING_PAGE.
#pragma once

#include <string>

#include "Dialog.h"

namespace moji {

class CPrintingDlg : public CDialog {
 public:
  CPrintingDlg();
  ~CPrintingDlg() override;

  // Shows the box centred on `owner` with `documentName`.
  bool Open(HWND owner, const std::wstring& documentName);
  // "page / last ﾍﾟｰｼﾞを印刷しています" and the box painted at once.
  void SetPage(int page, int last);
  // The user pressed cancel (or Esc, or closed the box).
  bool Cancelled() const { return m_cancelled; }
  void Cancel() { m_cancelled = true; }

 protected:
  void OnCancel() override;

 private:
  bool m_cancelled = false;
};

}  // namespace moji
