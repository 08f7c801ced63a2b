// CWaitCursor: the hourglass while long work runs on the user-interface thread; the
// previous cursor comes back when the object goes.
#pragma once

#include <windows.h>

namespace moji {

class CWaitCursor {
 public:
  CWaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~CWaitCursor() { ::SetCursor(m_previous); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

 private:
  HCURSOR m_previous;
};

}  // namespace moji
