// The one operation that changes the user's EUDC font links: the values under
// HKEY_CURRENT_USER\EUDC\<code page>. "SystemDefaultEUDCFont" names the TTE linked for all
// typefaces, a value named after a typeface the TTE linked for that face only. The graphics
// system's EUDC support is switched off around the change and on again, so the calling
// process draws with the new link at once.
#pragma once

#include <string>

namespace moji {

inline constexpr wchar_t kSystemDefaultEudcFont[] = L"SystemDefaultEUDCFont";
inline constexpr wchar_t kSystemEudcFontName[] = L"EUDC.TTE";  // the system's own default link
inline constexpr wchar_t kEudcCodePage[] = L"932";

enum SwitchEudcResult {
  kSwitchEudcOk = 0,
  kSwitchEudcNoLibrary = -1,  // "GDI32.DLL" could not be loaded
  kSwitchEudcNoKey = -2,      // EUDC\<code page> could not be opened (it is never created)
  kSwitchEudcSetFailed = -3,
  kSwitchEudcDeleteFailed = -4,
};

// tte not empty: the value `target` is set to tte (REG_SZ).
// tte empty, target exactly "SystemDefaultEUDCFont" (case-sensitive): set to "EUDC.TTE".
// tte empty, any other target: the value is deleted (Windows value names ignore case, so
//   "systemdefaulteudcfont" deletes the link for all typefaces).
// With `log` set (the browser) a line "SwitchEudc(TTE=%s:Target=%s:CP=%s:result=%d)" is
// logged after the change (TTE "解除" when empty, Target "All" for SystemDefaultEUDCFont);
// no line for results -1 and -2. Returns a SwitchEudcResult.
int SwitchEudc(const std::wstring& tte, const std::wstring& target, const std::wstring& codePage, bool log = true);

}  // namespace moji
