// CImmWordRegistrar: word registration of the active input method through IMM32, for the
// keyboard layout of the thread that selects it.
#pragma once

#include <windows.h>

#include "ImeWordRegistration.h"

namespace moji {

class CImmWordRegistrar final : public CImeWordRegistrar {
 public:
  void SelectKeyboardLayout() override;                    // GetKeyboardLayout(0)
  std::u16string FileName() override;                      // ImmGetIMEFileNameW
  std::vector<ImeWordStyle> Styles() override;             // ImmGetRegisterWordStyleW
  bool Register(const std::u16string& reading, std::uint32_t style, const std::u16string& word) override;
  bool Unregister(const std::u16string& reading, std::uint32_t style, const std::u16string& word) override;

 private:
  HKL m_layout = nullptr;
};

}  // namespace moji
