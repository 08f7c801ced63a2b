// One text type for portable code: UTF-16 in std::u16string, exact on Windows and Linux.
// Conversions to the platform's wide strings happen here and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace moji {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

#ifdef _WIN32
// wchar_t is UTF-16 on Windows: these are plain copies.
inline std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string FromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }
#endif

}  // namespace moji
