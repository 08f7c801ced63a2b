// The processing log: a trace of start and end, user commands, registry and file steps and
// failures, meant for support. Nothing reads it back and nothing depends on it: a log that
// cannot be written is silently skipped.
//
// Destination: a UTF-8 text file (the programs use "Mojiview.log" beside the settings file,
// see DefaultPath). Each call appends one entry, prefixed with a local time stamp and the
// process id: "2024-01-31 12:34:56.789 [1234] text". The text is written as formatted, so a
// message holding "\r\n" spans several physical lines; an entry that does not end in "\n"
// is given one. Past 1 MiB the file is renamed to "<name>.old" (replacing an older one) and
// a new file is begun. The file is opened for each entry, so several processes can share it.
// Until Open is called (and after Close) every entry is discarded.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace moji {

class CLog {
 public:
  // Starts logging to `path`; the file and its folder are not created until the first entry.
  static void Open(const std::filesystem::path& path);
  static void Close();
  static bool IsOpen();

  // GetProgramFolder() + "Mojiview.log".
  static std::filesystem::path DefaultPath();

  // One entry, printf-style (see FormatText in Message.h for the conversions).
  static void Print(const wchar_t* format, ...);
  // The string-table text of `id`, unformatted, as one entry.
  static void PrintResource(UINT id);

  // Size past which the file is rotated.
  static constexpr std::uint64_t kRotateSize = 1024 * 1024;

 private:
  static void Write(const std::wstring& text);
};

// CopyFileW(src, dst, failIfExists). On failure logs string 2044 formatted with the source,
// the destination and the system's text for the error, and returns false; the caller shows
// its own message. GetLastError() still gives the copy's error afterwards.
bool CopyFileLogged(const std::filesystem::path& src, const std::filesystem::path& dst, bool failIfExists);

// Logs string 2044 for a copy of `src` to `dst` that failed with `error`.
void LogCopyFailure(const std::filesystem::path& src, const std::filesystem::path& dst, DWORD error);

// The system's text for an error number in the user's default language (ends in "\r\n" as
// the system gives it); "Error <n>" when the system has none.
std::wstring SystemErrorText(DWORD error);

}  // namespace moji
