#include "Log.h"

#include <cstdarg>
#include <mutex>

#include "Message.h"
#include "ProcessUtil.h"
#include "TextConv.h"

namespace moji {
namespace {

constexpr UINT kMsgCopyFailed = 2044;

struct LogState {
  std::mutex mutex;
  std::filesystem::path path;
  bool open = false;
};

LogState& State() {
  static LogState state;
  return state;
}

std::string Prefix() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u %02u:%02u:%02u.%03u [%lu] ", now.wYear,
                                   now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                                   static_cast<unsigned long>(GetCurrentProcessId()));
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

void RotateIfLarge(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return;
  const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  if (size < CLog::kRotateSize) return;
  std::filesystem::path old = path;
  old += L".old";
  MoveFileExW(path.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

void CLog::Open(const std::filesystem::path& path) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  state.path = path;
  state.open = !path.empty();
}

void CLog::Close() {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  state.open = false;
}

bool CLog::IsOpen() {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  return state.open;
}

std::filesystem::path CLog::DefaultPath() { return std::filesystem::path(GetProgramFolder() + L"Mojiview.log"); }

void CLog::Print(const wchar_t* format, ...) {
  if (!IsOpen()) return;
  va_list args;
  va_start(args, format);
  const std::wstring text = FormatTextV(format, args);
  va_end(args);
  Write(text);
}

void CLog::PrintResource(UINT id) {
  if (!IsOpen()) return;
  Write(LoadResourceString(id));
}

void CLog::Write(const std::wstring& text) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  if (!state.open) return;
  std::string entry = Prefix() + ToUtf8(FromWide(text));
  if (entry.empty() || entry.back() != '\n') entry += '\n';
  RotateIfLarge(state.path);
  // FILE_APPEND_DATA makes each write land at the end even when another process appends.
  HANDLE file = CreateFileW(state.path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
  CloseHandle(file);
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT) /* 1024 */, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  if (text.empty()) text = L"Error " + std::to_wstring(error);
  return text;
}

bool CopyFileLogged(const std::filesystem::path& src, const std::filesystem::path& dst, bool failIfExists) {
  if (CopyFileW(src.c_str(), dst.c_str(), failIfExists ? TRUE : FALSE)) return true;
  const DWORD error = GetLastError();
  LogCopyFailure(src, dst, error);
  SetLastError(error);
  return false;
}

void LogCopyFailure(const std::filesystem::path& src, const std::filesystem::path& dst, DWORD error) {
  CLog::Print(L"%s", FormatResource(kMsgCopyFailed, src.c_str(), dst.c_str(), SystemErrorText(error).c_str()).c_str());
}

}  // namespace moji
