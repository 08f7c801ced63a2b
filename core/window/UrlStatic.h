// CUrlStatic: a static control (subclassed from a dialog template, with SS_NOTIFY so that
// it gets clicks) that looks and acts like a web link: blue underlined text, a hand
// cursor, and a left click opens its text with the shell ("open"), or runs the action set
// for it (a link whose text is no address, such as one to a help page). Its parent must be a
// CWindow (a CDialog), which reflects WM_CTLCOLORSTATIC to it.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "Window.h"

namespace moji {

class CUrlStatic : public CWindow {
 public:
  CUrlStatic();
  ~CUrlStatic() override;

  static constexpr COLORREF kLinkColor = 0xFF0000;  // blue (0x00BBGGRR)

  HFONT LinkFont() const { return m_font; }

  // What a click does instead of opening the text; an empty function restores the text.
  void SetOpenAction(std::function<void()> action) { m_action = std::move(action); }

 protected:
  bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // ShellExecuteW(open) of the text; failures are ignored.
  virtual void OpenLink(const std::wstring& target);

 private:
  HCURSOR m_cursor = nullptr;  // owned copy
  HFONT m_font = nullptr;      // underlined copy of the control's font, made on first use
  HBRUSH m_brush = nullptr;    // COLOR_BTNFACE
  std::function<void()> m_action;
};

}  // namespace moji
