// The user's EUDC link values (HKCU\EUDC\932) as the scenarios read and prepare them.
#pragma once

#include <windows.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BrowserFileScenario.h"

namespace moji::gui {

inline constexpr wchar_t kEudcKey[] = L"EUDC\\932";
inline constexpr wchar_t kLinkForAll[] = L"SystemDefaultEUDCFont";

// The values of HKCU\EUDC\932: text values as text, others by type and size.
using RegistryValues = std::map<std::wstring, std::wstring>;

inline RegistryValues ReadEudcValues() {
  RegistryValues values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kEudcKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD nameLength = 512, type = 0;
    std::vector<BYTE> data(8192);
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    if (type == REG_SZ || type == REG_EXPAND_SZ)
      values[name] = std::wstring(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t)).c_str();
    else
      values[name] = L"<type " + std::to_wstring(type) + L", " + std::to_wstring(size) + L" bytes>";
  }
  RegCloseKey(key);
  return values;
}

inline bool SetEudcValue(const wchar_t* name, const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, kEudcKey, name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// Puts `saved` back: values it does not hold are deleted, its text values are set again.
inline void RestoreEudcValues(const RegistryValues& saved) {
  for (const auto& value : ReadEudcValues())
    if (!saved.count(value.first)) RegDeleteKeyValueW(HKEY_CURRENT_USER, kEudcKey, value.first.c_str());
  for (const auto& [name, value] : saved)
    if (value.rfind(L"<type ", 0) != 0) SetEudcValue(name.c_str(), value);
}

// The programs link TTEs through HKCU\EUDC\932 but never create it (Japanese Windows has it,
// and tools/wine-setup.sh makes it); a prefix made before that lacks it, so it is made here.
inline void PrepareEudcKey() {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kEudcKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  if (disposition == REG_CREATED_NEW_KEY) std::cout << "note: HKCU\\EUDC\\932 was missing and has been created\n";
  DWORD size = 0;
  const bool hasLink = RegQueryValueExW(key, kLinkForAll, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (!hasLink) {
    SetEudcValue(kLinkForAll, L"EUDC.TTE");
    std::cout << "note: SystemDefaultEUDCFont was missing and has been set to EUDC.TTE\n";
  }
}

// A browser scenario that works on the user's EUDC links: the key is prepared, its values are
// read before the scenario (m_before) and put back after it, whatever the scenario left.
class CEudcLinkScenario : public CBrowserFileScenario {
 protected:
  void SetUp() override {
    CBrowserFileScenario::SetUp();
    if (HasFatalFailure()) return;
    PrepareEudcKey();
    m_before = ReadEudcValues();
  }
  void TearDown() override {
    CBrowserFileScenario::TearDown();
    RestoreEudcValues(m_before);
  }

  RegistryValues m_before;
};

}  // namespace moji::gui
