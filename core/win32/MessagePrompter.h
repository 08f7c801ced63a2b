// CMessagePrompter: the Win32 side of CPrompter. Messages are numbered string-table texts
// shown in the application's message box (Message.h), owned by a window of the caller's
// choice.
#pragma once

#include <windows.h>

#include "Prompter.h"

namespace moji {

class CMessagePrompter final : public CPrompter {
 public:
  explicit CMessagePrompter(HWND owner = nullptr) : m_owner(owner) {}

  void SetOwner(HWND owner) { m_owner = owner; }
  HWND Owner() const { return m_owner; }

  // MB_OK.
  void Show(int id, const std::vector<std::u16string>& args) override;
  // MB_YESNO | MB_ICONQUESTION; true for Yes.
  bool AskYesNo(int id, const std::vector<std::u16string>& args) override;

  // Texts of "%s" fields passed on; further arguments are ignored.
  static constexpr std::size_t kMaxArgs = 6;

 private:
  int Run(int id, UINT type, const std::vector<std::u16string>& args) const;

  HWND m_owner;
};

}  // namespace moji
