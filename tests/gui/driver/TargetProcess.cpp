#include "TargetProcess.h"

#include <tlhelp32.h>

#include <vector>

#include "WindowDriver.h"

namespace moji::gui {

CTargetProcess::~CTargetProcess() { Close(); }

void CTargetProcess::Close() {
  if (m_process) CloseHandle(m_process);
  m_process = nullptr;
  m_id = 0;
}

bool CTargetProcess::Start(const std::filesystem::path& program, const std::wstring& arguments,
                           const std::filesystem::path& workingFolder) {
  Close();
  m_commandLine = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) m_commandLine += L" " + arguments;
  const std::wstring folder = (workingFolder.empty() ? program.parent_path() : workingFolder).wstring();
  std::vector<wchar_t> buffer(m_commandLine.begin(), m_commandLine.end());
  buffer.push_back(L'\0');  // CreateProcessW may write into the command line
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  m_process = info.hProcess;
  m_id = info.dwProcessId;
  return true;
}

bool CTargetProcess::Attach(DWORD processId) {
  Close();
  m_process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  if (!m_process) return false;
  m_id = processId;
  m_commandLine.clear();
  return true;
}

bool CTargetProcess::IsRunning() const {
  return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

HWND CTargetProcess::WaitForMainWindow(DWORD timeoutMs, const wchar_t* tag) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND h : TopLevelWindows(m_id)) {
          if (GetWindow(h, GW_OWNER) || ClassName(h) == L"#32770") continue;
          if (tag && !GetPropW(h, tag)) continue;
          found = h;
          return true;
        }
        return !IsRunning();
      },
      timeoutMs);
  return found;
}

std::optional<DWORD> CTargetProcess::WaitForExit(DWORD timeoutMs) const {
  if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(m_process, &code)) return std::nullopt;
  return code;
}

bool CTargetProcess::Terminate(UINT exitCode) {
  if (!m_process) return false;
  if (IsRunning() && !TerminateProcess(m_process, exitCode)) return false;
  return WaitForSingleObject(m_process, 5000) == WAIT_OBJECT_0;
}

std::filesystem::path ProcessImagePath(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  wchar_t path[MAX_PATH * 2] = {};
  DWORD length = MAX_PATH * 2;
  const bool ok = QueryFullProcessImageNameW(process, 0, path, &length);
  CloseHandle(process);
  return ok ? std::filesystem::path(path) : std::filesystem::path();
}

int TerminateProcessesIn(const std::filesystem::path& folder) {
  std::wstring prefix = std::filesystem::absolute(folder).lexically_normal().wstring();
  if (!prefix.empty() && prefix.back() != L'\\') prefix += L'\\';
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  std::vector<DWORD> ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID != GetCurrentProcessId()) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);

  int ended = 0;
  for (DWORD id : ids) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    wchar_t image[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (QueryFullProcessImageNameW(process, 0, image, &size) && size >= prefix.size() &&
        CompareStringOrdinal(image, static_cast<int>(prefix.size()), prefix.c_str(), static_cast<int>(prefix.size()),
                             TRUE) == CSTR_EQUAL &&
        TerminateProcess(process, 0xDEAD)) {
      WaitForSingleObject(process, 5000);
      ++ended;
    }
    CloseHandle(process);
  }
  return ended;
}

}  // namespace moji::gui
