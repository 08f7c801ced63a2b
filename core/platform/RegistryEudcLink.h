// The user's EUDC links in the registry (HKCU\EUDC\<code page>) for portable code, and the
// journal of this process's temporary links: kept per user in
// %LOCALAPPDATA%\Mojiview\ (the temporary folder when that variable is missing), so a link
// that a killed or crashed process left behind is put back at the next start.
#pragma once

#include <windows.h>

#include <filesystem>

#include "EudcLinkSwitcher.h"
#include "LinkJournal.h"

namespace moji {

// SwitchEudc of the registry, with its log line when `log` is set (the browser), and the
// value as it stands.
class CRegistryEudcLink final : public CEudcLinkSwitcher {
 public:
  explicit CRegistryEudcLink(bool log = true) : m_log(log) {}
  int SwitchEudc(const std::u16string& tte, const std::u16string& target, const std::u16string& codePage) override;
  std::optional<std::u16string> QueryLink(const std::u16string& target, const std::u16string& codePage) override;
  std::vector<std::u16string> ListLinks(const std::u16string& codePage) override;

 private:
  bool m_log;
};

// The per-user folder of the link journals and of other data the programs keep per user.
std::filesystem::path UserDataFolder();

// This process, and whether a process of that id started at that time still runs.
ProcessStamp CurrentProcessStamp();
bool ProcessIsRunning(const ProcessStamp& process);

// The journal of this process's temporary links.
CLinkJournal ProcessLinkJournal();

// At start-up: puts back what the journals of processes that no longer run recorded, logging
// each restore. `logSwitches`: log the switch calls as well (the browser).
void RepairInterruptedLinks(bool logSwitches);

}  // namespace moji
