// CIndexProgressDlg (template IDD_INDEX_PROGRESS): the modeless progress box shown while the
// index of a reference font is built, with a cancel button. The owner is disabled while it
// is shown; Update pumps the messages that arrived since the last call.
//
//   CIndexProgressDlg progress(frame);
//   index.Build(renderer, face, [&](size_t done, size_t total) { return progress.Update(done, total); });
#pragma once

#include <cstddef>

#include "Dialog.h"

namespace moji {

class CIndexProgressDlg : public CDialog {
 public:
  explicit CIndexProgressDlg(HWND owner);
  ~CIndexProgressDlg() override;

  // Shows `done` of `total`; false once the user cancelled.
  bool Update(std::size_t done, std::size_t total);

 protected:
  void OnCancel() override { m_cancelled = true; }

 private:
  HWND m_owner;
  bool m_cancelled = false;
  DWORD m_lastPump = 0;
};

}  // namespace moji
