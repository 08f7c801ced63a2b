// The association of TTE files with the browser (command 32778). Three keys, each with its
// default value (REG_SZ), under the user's own classes, HKCU\Software\Classes, which the
// merged HKEY_CLASSES_ROOT shows to that user and which needs no administrator rights:
//
//   Mojiview\shell\外字ﾌｫﾝﾄﾌﾟﾚﾋﾞｭｰ...\command  "<folder>Mojiview" "%1"
//   .tte                                      Mojiview
//   Mojiview\DefaultIcon                      <folder>Mojiview.exe,1
//
// "%1" is quoted so that a path with spaces reaches the browser as one argument.
#pragma once

#include <windows.h>

#include <string>

namespace moji {

// The verb's command: the program folder (ending in "\") + "Mojiview" in quotation marks,
// a space and "%1" in quotation marks.
std::wstring TteOpenCommand(const std::wstring& programFolder);

// Creates or opens the three keys below `classesRoot` in the order above and sets their
// values (a value that cannot be set is ignored). A key that cannot be created is logged
// ("RegCreateKeyExis Error!", "RegCreateKeyExis(tte) Error!") and ends the work with false;
// the keys written before it stay.
bool WriteTteAssociation(HKEY classesRoot, const std::wstring& programFolder);

// The command: asks with 6003; on Yes logs, writes under HKCU\Software\Classes, tells the
// shell (SHCNE_ASSOCCHANGED) and reports 6004, or 2002 on failure.
void AssociateTteFiles(HWND owner, const std::wstring& programFolder);

}  // namespace moji
