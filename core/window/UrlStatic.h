// CUrlStatic: a static control (subclassed from a dialog template, with SS_NOTIFY so that
// it gets clicks) that looks and acts like a web link: blue underlined text, a hand
// cursor, and a left click opens its text with the shell ("open"). Its parent must be a
// CWindow (a CDialog), which reflects WM_CTLCOLORSTATIC to it.
#pragma once

#include <string>

#include "Window.h"

namespace moji {

class CUrlStatic : public CWindow {
 public:
  CUrlStatic();
  ~CUrlStatic() override;

  static constexpr COLORREF kLinkColor = 0xFF0000;  // blue (0x00BBGGRR)

  HFONT LinkFont() const { return m_font; }

 protected:
  bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // ShellExecuteW(open) of the text; failures are ignored.
  virtual void OpenLink(const std::wstring& target);

 private:
  HCURSOR m_cursor = nullptr;  // owned copy
  HFONT m_font = nullptr;      // underlined copy of the control's font, made on first use
  HBRUSH m_brush = nullptr;    // COLOR_BTNFACE
};

}  // namespace moji
