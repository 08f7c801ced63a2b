#include "TteAssociation.h"

#include <shlobj.h>

#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"

namespace moji {
namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes";

// Creates or opens `subKey` below `root`, sets its default value and closes it.
bool WriteDefaultValue(HKEY root, const wchar_t* subKey, const std::wstring& value) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  return true;
}

}  // namespace

std::wstring TteOpenCommand(const std::wstring& programFolder) {
  return L"\"" + programFolder + L"Mojiview\" \"%1\"";
}

bool WriteTteAssociation(HKEY classesRoot, const std::wstring& programFolder) {
  const struct {
    const wchar_t* key;
    std::wstring value;
    const wchar_t* failure;
  } entries[] = {
      {L"Mojiview\\shell\\外字ﾌｫﾝﾄﾌﾟﾚﾋﾞｭｰ...\\command", TteOpenCommand(programFolder), L"RegCreateKeyExis Error!\n"},
      {L".tte", L"Mojiview", L"RegCreateKeyExis(tte) Error!\n"},
      {L"Mojiview\\DefaultIcon", programFolder + L"Mojiview.exe,1", L"RegCreateKeyExis Error!\n"},
  };
  for (const auto& entry : entries) {
    if (!WriteDefaultValue(classesRoot, entry.key, entry.value)) {
      CLog::Print(entry.failure);
      return false;
    }
  }
  return true;
}

void AssociateTteFiles(HWND owner, const std::wstring& programFolder) {
  if (ShowMessage(owner, IDS_ASK_ASSOCIATE, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  CLog::Print(L"Command:拡張子関連付け\n");
  bool written = false;
  HKEY classes = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kUserClasses, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &classes, nullptr) == ERROR_SUCCESS) {
    written = WriteTteAssociation(classes, programFolder);
    ::RegCloseKey(classes);
  } else {
    CLog::Print(L"RegCreateKeyExis Error!\n");
  }
  if (!written) {
    ShowMessage(owner, IDS_ERR_ASSOCIATE, MB_OK);
    return;
  }
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  ShowMessage(owner, IDS_MSG_ASSOCIATED, MB_OK | MB_ICONINFORMATION);
}

}  // namespace moji
