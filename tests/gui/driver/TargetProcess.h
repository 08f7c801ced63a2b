// One program under test: started by the driver (or attached by its process id when the
// program was started by another one, e.g. a second browser), waited for, ended.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace moji::gui {

class CTargetProcess {
 public:
  CTargetProcess() = default;
  ~CTargetProcess();  // closes the handles; the process itself keeps running
  CTargetProcess(const CTargetProcess&) = delete;
  CTargetProcess& operator=(const CTargetProcess&) = delete;

  // Starts `program` with the command line "\"program\" arguments" in `workingFolder`
  // (the program's own folder when empty). False when CreateProcessW fails.
  bool Start(const std::filesystem::path& program, const std::wstring& arguments = {},
             const std::filesystem::path& workingFolder = {});
  // Takes a process that someone else started. False when it cannot be opened.
  bool Attach(DWORD processId);

  DWORD Id() const { return m_id; }
  HANDLE Handle() const { return m_process; }
  const std::wstring& CommandLine() const { return m_commandLine; }
  bool IsRunning() const;

  // The process's main window: a visible top-level window without owner that is not a
  // dialog box (#32770) and, when `tag` is given, carries that window property. nullptr
  // when the time runs out or the process ends first.
  HWND WaitForMainWindow(DWORD timeoutMs, const wchar_t* tag = nullptr) const;
  // The exit code, or nothing when the process still runs after `timeoutMs`.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
  // Ends the process at once and waits for it to be gone.
  bool Terminate(UINT exitCode = 0xDEAD);

 private:
  void Close();
  HANDLE m_process = nullptr;
  DWORD m_id = 0;
  std::wstring m_commandLine;
};

// The program file of a running process; empty when it cannot be asked.
std::filesystem::path ProcessImagePath(DWORD processId);

// Ends every process whose program file lies in `folder` (or below it), for the clean-up
// after a scenario: started programs, the second processes they started, and strays of an
// earlier failed run. Returns how many were ended.
int TerminateProcessesIn(const std::filesystem::path& folder);

}  // namespace moji::gui
