#include "TextFile.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace moji::gui {
namespace {

std::optional<std::wstring> Decode(UINT codePage, DWORD flags, const char* bytes, int size) {
  if (size == 0) return std::wstring();
  const int n = MultiByteToWideChar(codePage, flags, bytes, size, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring text(n, L'\0');
  MultiByteToWideChar(codePage, flags, bytes, size, text.data(), n);
  return text;
}

}  // namespace

std::optional<std::wstring> ReadTextFile(const std::filesystem::path& path) {
  constexpr std::uintmax_t kMaxSize = 64 * 1024 * 1024;  // settings and logs are small
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxSize) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const auto starts = [&](std::string_view mark) {
    return bytes.size() >= mark.size() && std::string_view(bytes.data(), mark.size()) == mark;
  };
  if (starts("\xFF\xFE")) {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    }
    return text;
  }
  const std::size_t skip = starts("\xEF\xBB\xBF") ? 3 : 0;
  const char* data = bytes.data() + skip;
  const int length = static_cast<int>(bytes.size() - skip);
  if (auto utf8 = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, data, length)) return utf8;
  if (skip) return std::nullopt;  // marked as UTF-8 but not valid UTF-8
  return Decode(932, 0, data, length);
}

std::wstring ReadIniValue(const std::filesystem::path& file, const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback) {
  std::vector<wchar_t> buffer(4096);
  const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
  return std::wstring(buffer.data(), n);
}

}  // namespace moji::gui
