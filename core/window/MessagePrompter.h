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

  Answer Message(int id, Buttons buttons, Icon icon, const std::vector<MessageArg>& args, bool log) override;

  // Fields beyond this many are not passed to the format; a format naming more fields than
  // the caller gave finds an empty text (or 0) in each missing place.
  static constexpr std::size_t kMaxArgs = 6;

 private:
  HWND m_owner;
};

}  // namespace moji
