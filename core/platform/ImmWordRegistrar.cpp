#include "ImmWordRegistrar.h"

#include <imm.h>

#include "TextConv.h"

namespace moji {

void CImmWordRegistrar::SelectKeyboardLayout() { m_layout = ::GetKeyboardLayout(0); }

std::u16string CImmWordRegistrar::FileName() {
  wchar_t name[256] = {};
  const UINT length = ::ImmGetIMEFileNameW(m_layout, name, 256);
  return length == 0 ? std::u16string() : FromWide(std::wstring_view(name, wcsnlen(name, 256)));
}

std::vector<ImeWordStyle> CImmWordRegistrar::Styles() {
  std::vector<ImeWordStyle> styles;
  const UINT count = ::ImmGetRegisterWordStyleW(m_layout, 0, nullptr);
  if (count == 0) return styles;
  std::vector<STYLEBUFW> buffer(count);
  const UINT got = ::ImmGetRegisterWordStyleW(m_layout, count, buffer.data());
  for (UINT i = 0; i < got && i < count; ++i) {
    const wchar_t* text = buffer[i].szDescription;
    styles.push_back({buffer[i].dwStyle, FromWide(std::wstring_view(text, wcsnlen(text, STYLE_DESCRIPTION_SIZE)))});
  }
  return styles;
}

bool CImmWordRegistrar::Register(const std::u16string& reading, std::uint32_t style, const std::u16string& word) {
  return ::ImmRegisterWordW(m_layout, ToWide(reading).c_str(), style, ToWide(word).c_str()) != FALSE;
}

bool CImmWordRegistrar::Unregister(const std::u16string& reading, std::uint32_t style, const std::u16string& word) {
  return ::ImmUnregisterWordW(m_layout, ToWide(reading).c_str(), style, ToWide(word).c_str()) != FALSE;
}

}  // namespace moji
