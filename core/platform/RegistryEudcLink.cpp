#include "RegistryEudcLink.h"

#include <vector>

#include "EufCreatorWin32.h"
#include "SwitchEudc.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr DWORD kMaxLinkBytes = 32 * 1024;  // far above any path; a longer value is not ours
constexpr DWORD kMaxLinkCount = 4096;       // far above the typefaces of any system
constexpr DWORD kMaxValueName = 16383;      // the registry's own limit, in characters

}  // namespace

int CRegistryEudcLink::SwitchEudc(const std::u16string& tte, const std::u16string& target,
                                  const std::u16string& codePage) {
  return moji::SwitchEudc(ToWide(tte), ToWide(target), ToWide(codePage), m_log);
}

std::optional<std::u16string> CRegistryEudcLink::QueryLink(const std::u16string& target,
                                                           const std::u16string& codePage) {
  HKEY key = nullptr;
  const std::wstring subkey = L"EUDC\\" + ToWide(codePage);
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0, bytes = 0;
  std::optional<std::u16string> value;
  const std::wstring name = ToWide(target);
  if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes <= kMaxLinkBytes) {
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &read) ==
            ERROR_SUCCESS &&
        read <= bytes)
      value = FromWide(std::wstring(text.data(), ::wcsnlen(text.data(), read / sizeof(wchar_t))));
  }
  ::RegCloseKey(key);
  return value;
}

std::vector<std::u16string> CRegistryEudcLink::ListLinks(const std::u16string& codePage) {
  std::vector<std::u16string> names;
  HKEY key = nullptr;
  const std::wstring subkey = L"EUDC\\" + ToWide(codePage);
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return names;
  std::vector<wchar_t> name(kMaxValueName + 1);
  for (DWORD index = 0; index < kMaxLinkCount; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG result = ::RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || length >= name.size()) continue;
    names.push_back(FromWide(std::wstring(name.data(), length)));
  }
  ::RegCloseKey(key);
  return names;
}

std::filesystem::path UserDataFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH + 1);
  if (length > 0 && length <= MAX_PATH) return std::filesystem::path(buffer) / L"Mojiview";
  const DWORD temp = ::GetTempPathW(MAX_PATH + 1, buffer);
  return std::filesystem::path(temp > 0 && temp <= MAX_PATH ? buffer : L".") / L"Mojiview";
}

namespace {

std::uint64_t CreationTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

ProcessStamp CurrentProcessStamp() { return {::GetCurrentProcessId(), CreationTime(::GetCurrentProcess())}; }

bool ProcessIsRunning(const ProcessStamp& process) {
  HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id);
  if (!handle) return ::GetLastError() == ERROR_ACCESS_DENIED;  // another user's process: not ours to judge
  DWORD exitCode = 0;
  const bool running = ::GetExitCodeProcess(handle, &exitCode) && exitCode == STILL_ACTIVE &&
                       CreationTime(handle) == process.start;
  ::CloseHandle(handle);
  return running;
}

CLinkJournal ProcessLinkJournal() { return CLinkJournal(UserDataFolder(), CurrentProcessStamp()); }

void RepairInterruptedLinks(bool logSwitches) {
  CRegistryEudcLink link(logSwitches);
  CProcessLogSink log;
  CLinkJournal::RepairStale(UserDataFolder(), link, ProcessIsRunning, log);
}

}  // namespace moji
