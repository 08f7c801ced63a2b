#include "SwitchEudc.h"

#include <windows.h>

#include "Log.h"

namespace moji {
namespace {

using EnableEudcProc = BOOL(WINAPI*)(BOOL);

// EnableEUDC is looked up by name: it is not in every import library. A system without it
// still gets its registry change.
void EnableEudc(EnableEudcProc enable, BOOL on) {
  if (enable != nullptr) enable(on);
}

}  // namespace

int SwitchEudc(const std::wstring& tte, const std::wstring& target, const std::wstring& codePage, bool log) {
  HMODULE gdi = LoadLibraryW(L"GDI32.DLL");
  if (gdi == nullptr) return kSwitchEudcNoLibrary;
  const auto enable = reinterpret_cast<EnableEudcProc>(reinterpret_cast<void (*)()>(GetProcAddress(gdi, "EnableEUDC")));
  EnableEudc(enable, FALSE);

  HKEY key = nullptr;
  const std::wstring subkey = L"EUDC\\" + codePage;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    EnableEudc(enable, TRUE);
    FreeLibrary(gdi);
    return kSwitchEudcNoKey;
  }

  int result = kSwitchEudcOk;
  const bool isSystemDefault = target == kSystemDefaultEudcFont;
  if (!tte.empty() || isSystemDefault) {
    const std::wstring value = tte.empty() ? std::wstring(kSystemEudcFontName) : tte;
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key, target.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) !=
        ERROR_SUCCESS)
      result = kSwitchEudcSetFailed;
  } else if (RegDeleteValueW(key, target.c_str()) != ERROR_SUCCESS) {
    result = kSwitchEudcDeleteFailed;
  }
  RegCloseKey(key);

  EnableEudc(enable, TRUE);
  FreeLibrary(gdi);

  if (log)
    CLog::Print(L"SwitchEudc(TTE=%s:Target=%s:CP=%s:result=%d)\n", tte.empty() ? L"解除" : tte.c_str(),
                isSystemDefault ? L"All" : target.c_str(), codePage.c_str(), result);
  return result;
}

}  // namespace moji
