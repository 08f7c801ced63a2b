#include "Message.h"

#include <cstdio>
#include <vector>

#include "Log.h"

namespace moji {
namespace {

// Longest formatted text we build: far beyond any message, small enough never to hurt.
constexpr int kMaxFormattedLength = 1 << 20;

std::wstring& AppNameStorage() {
  static std::wstring name = L"Mojiview";
  return name;
}

MessageBoxFunction& MessageBoxOverride() {
  static MessageBoxFunction function;
  return function;
}

}  // namespace

std::wstring FormatTextV(const wchar_t* format, va_list args) {
  if (format == nullptr) return {};
  va_list counting;
  va_copy(counting, args);
  const int length = _vscwprintf(format, counting);
  va_end(counting);
  if (length <= 0 || length > kMaxFormattedLength) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const int written = _vsnwprintf(buffer.data(), buffer.size(), format, args);
  if (written < 0) return {};
  return std::wstring(buffer.data(), static_cast<std::size_t>(written));
}

std::wstring FormatText(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring text = FormatTextV(format, args);
  va_end(args);
  return text;
}

std::wstring LoadResourceString(UINT id) {
  // With a zero buffer size LoadStringW hands out a pointer into the resource itself,
  // so texts of any length come back whole.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return {};
  return std::wstring(text, static_cast<std::size_t>(length));
}

std::wstring FormatResourceV(UINT id, va_list args) {
  const std::wstring format = LoadResourceString(id);
  return FormatTextV(format.c_str(), args);
}

std::wstring FormatResource(UINT id, ...) {
  va_list args;
  va_start(args, id);
  std::wstring text = FormatResourceV(id, args);
  va_end(args);
  return text;
}

void SetAppName(const std::wstring& name) { AppNameStorage() = name; }

const std::wstring& AppName() { return AppNameStorage(); }

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
  MessageBoxFunction previous = std::move(MessageBoxOverride());
  MessageBoxOverride() = std::move(function);
  return previous;
}

int ShowMessageV(HWND owner, UINT id, UINT type, bool log, va_list args) {
  const std::wstring text = FormatResourceV(id, args);
  if (log) CLog::Print(L"%s\n", text.c_str());
  if (const MessageBoxFunction& function = MessageBoxOverride()) return function(owner, text, AppName(), type);
  return MessageBoxW(owner, text.c_str(), AppName().c_str(), type);
}

int ShowMessage(HWND owner, UINT id, UINT type, ...) {
  va_list args;
  va_start(args, type);
  const int button = ShowMessageV(owner, id, type, false, args);
  va_end(args);
  return button;
}

int ShowMessageLogged(HWND owner, UINT id, UINT type, ...) {
  va_list args;
  va_start(args, type);
  const int button = ShowMessageV(owner, id, type, true, args);
  va_end(args);
  return button;
}

}  // namespace moji
