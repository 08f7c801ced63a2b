#include "StartTarget.h"

#include <filesystem>
#include <system_error>

namespace moji {
namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EndsWithNoCase(std::u16string_view text, std::u16string_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::u16string_view tail = text.substr(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (LowerAscii(tail[i]) != LowerAscii(suffix[i])) return false;
  return true;
}

}  // namespace

std::u16string_view StripSwitchPrefix(std::u16string_view arg) {
  if (!arg.empty() && (arg.front() == u'/' || arg.front() == u'-')) arg.remove_prefix(1);
  return arg;
}

bool PathExists(const std::u16string& path) {
  if (path.empty()) return false;
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(path), error);
}

bool HasArguments(std::u16string_view commandLine) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  if (commandLine.empty()) return false;
  std::size_t end;
  if (commandLine[0] == u'"') {
    end = commandLine.find(u'"', 1);
    if (end == std::u16string_view::npos) return false;  // the name runs to the end
    ++end;
  } else {
    if (blank(commandLine[0])) return true;
    end = 0;
    while (end < commandLine.size() && !blank(commandLine[end])) ++end;
  }
  for (std::size_t i = end; i < commandLine.size(); ++i)
    if (!blank(commandLine[i])) return true;
  return false;
}

std::u16string FindStartTarget(const std::vector<std::u16string>& args, const ExistsFunction& exists) {
  for (const std::u16string& arg : args) {
    const std::u16string candidate(StripSwitchPrefix(arg));
    if (!candidate.empty() && exists(candidate)) return candidate;
  }
  return {};
}

bool IsGaijiFileName(std::u16string_view name) {
  return name.size() > 4 && (EndsWithNoCase(name, u"tte") || EndsWithNoCase(name, u"euf"));
}

int CheckStartTarget(std::u16string_view target) { return IsGaijiFileName(target) ? 0 : kMsgNotGaijiFile; }

std::u16string DerivedPath(std::u16string_view path, std::u16string_view ext) {
  std::u16string out(path.size() > 3 ? path.substr(0, path.size() - 3) : std::u16string_view());
  out += ext;
  return out;
}

}  // namespace moji
