#include "ProcessUtil.h"

#include <shellapi.h>

#include <vector>

#include "StartTarget.h"
#include "TextConv.h"

namespace moji {

bool IsSupportedSystem(OSVERSIONINFOW& version) {
  version = OSVERSIONINFOW{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!::GetVersionExW(&version)) return false;
  return version.dwMajorVersion >= 5 && version.dwPlatformId >= VER_PLATFORM_WIN32_NT;
}

std::wstring GetProgramPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    if (buffer.size() >= 32768) return {};  // longer than any Windows path
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring GetProgramFolder() {
  std::wstring path = GetProgramPath();
  const std::size_t slash = path.find_last_of(L'\\');
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return path;
}

bool LaunchProgram(const std::wstring& commandLine, int showCommand) {
  // CreateProcessW may write into the command line, so it gets a copy of its own.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool TagWindow(HWND window, const wchar_t* tag) {
  return SetPropW(window, tag, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1))) != FALSE;
}

void RemoveTag(HWND window, const wchar_t* tag) { RemovePropW(window, tag); }

std::vector<HWND> TaggedWindows(const wchar_t* tag) {
  struct Search {
    const wchar_t* tag;
    std::vector<HWND> windows;
  } search{tag, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetPropW(window, s->tag) != nullptr) s->windows.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

int CountTaggedWindows(const wchar_t* tag) { return static_cast<int>(TaggedWindows(tag).size()); }

int CountBrowserWindows() { return CountTaggedWindows(kBrowserTag); }

std::wstring FindCommandLineStartTarget(const wchar_t* commandLine) {
  // Most starts name no file: the shell, which splits the line, is then not loaded.
  if (commandLine == nullptr || !HasArguments(FromWide(commandLine))) return {};
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(commandLine, &argc);
  if (argv == nullptr) return {};
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(FromWide(argv[i]));
  LocalFree(argv);
  const std::u16string target = FindStartTarget(args, [](const std::u16string& name) {
    return GetFileAttributesW(ToWide(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  return ToWide(target);
}

}  // namespace moji
