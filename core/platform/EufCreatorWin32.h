// The browser's side of EUF creation: the Win32 prompter, link switch and log sink around
// the portable CreateEufFromTte, and the entry point the document calls when an opened TTE
// has no EUF beside it (after the user agreed in the creation dialog).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "EufCreator.h"
#include "MessagePrompter.h"
#include "Settings.h"
#include "WaitCursor.h"
#include "WaitMessage.h"

namespace moji {

// Numbered messages in message boxes owned by `owner`; the wait box while glyphs are drawn.
// The wait cursor covers the whole creation: a message box shows the arrow while it is up,
// and the wait cursor comes back once it is answered.
class CMessageBoxEufPrompter : public CEufCreatePrompter {
 public:
  explicit CMessageBoxEufPrompter(HWND owner) : m_owner(owner), m_messages(owner) {}
  Answer Message(int id, Buttons buttons, Icon icon, const std::vector<MessageArg>& args, bool log) override {
    const Answer answer = m_messages.Message(id, buttons, icon, args, log);
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return answer;
  }
  std::u16string LastSystemErrorText() override;
  void SetBusy(bool busy) override;

 private:
  HWND m_owner;
  CMessagePrompter m_messages;
  std::optional<CWaitMessage> m_wait;
  HCURSOR m_oldCursor = nullptr;
};

// Lines to the processing log (CLog).
class CProcessLogSink final : public CLogSink {
 public:
  void Print(std::u16string_view line) override;
  void PrintCopyFailure(const std::filesystem::path& source, const std::filesystem::path& target) override;
};

// The version the system reports (GetVersionExW).
OsVersion GetSystemVersion();

// Creates `eufPath` from `ttePath` (read by `tte`) with the templates of the program folder,
// the gaiji display face and the default EUDC font of `settings`. bitmapSize and drawSize are
// both the BitmapSize setting. 1 when the EUF was created, 0 when the open must stop.
int CreateEufFromTte(HWND owner, const CTTEMetrics& tte, const std::wstring& ttePath, const std::wstring& eufPath,
                     bool unicode, int bitmapSize, int drawSize, const CSettings& settings);

}  // namespace moji
