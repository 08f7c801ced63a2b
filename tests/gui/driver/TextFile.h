// Reading the files a program under test leaves behind (settings file, log) for checks.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace moji::gui {

// The whole file as text. Decoded as UTF-16LE after its byte-order mark, as UTF-8 after
// its mark or when the bytes are valid UTF-8, and as code page 932 otherwise (what the
// private-profile functions write into a new file). Nothing when it cannot be read.
std::optional<std::wstring> ReadTextFile(const std::filesystem::path& path);

// One value of a settings file through GetPrivateProfileStringW; `fallback` when the
// file, the section or the key is missing.
std::wstring ReadIniValue(const std::filesystem::path& file, const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback = {});

}  // namespace moji::gui
