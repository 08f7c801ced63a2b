#include "Settings.h"

#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "LinkedFontPath.h"
#include "Log.h"
#include "TextConv.h"

namespace moji {
namespace {

// Longest value read from the file; longer ones are cut.
constexpr DWORD kMaxValueLength = 32 * 1024;

}  // namespace

std::wstring GetSpecialFolderPath(int csidl) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(GetDesktopWindow(), csidl, &list)) || list == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  return ok ? std::wstring(path) : std::wstring();
}

std::wstring GetLinkedFontPath(const std::wstring& storedName, bool tte) {
  return ToWide(MakeLinkedFontPath(FromWide(storedName), FromWide(GetSpecialFolderPath(CSIDL_FONTS)), tte));
}

CSettings::CSettings(std::wstring programFolder)
    : m_programFolder(std::move(programFolder)), m_filePath(m_programFolder + kSettingsFileName) {}

std::wstring CSettings::ReadString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const DWORD length = GetPrivateProfileStringW(section, key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  m_filePath.c_str());
    // A value that filled the buffer may have been cut: read again with more room.
    if (length + 1 < buffer.size() || buffer.size() >= kMaxValueLength) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 4);
  }
}

int CSettings::ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const {
  return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, m_filePath.c_str()));
}

bool CSettings::WriteString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const {
  if (GetFileAttributesW(m_filePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // A new file begins with the UTF-16 byte order mark: the private-profile functions then
    // keep it in UTF-16, where a file of the ANSI code page would lose characters outside it.
    HANDLE file = CreateFileW(m_filePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      static const unsigned char bom[] = {0xFF, 0xFE};
      DWORD written = 0;
      WriteFile(file, bom, sizeof bom, &written, nullptr);
      CloseHandle(file);
    }
  }
  return WritePrivateProfileStringW(section, key, value.c_str(), m_filePath.c_str()) != FALSE;
}

bool CSettings::WriteInt(const wchar_t* section, const wchar_t* key, int value) const {
  return WriteString(section, key, std::to_wstring(value));
}

std::wstring CSettings::ReadWithDefault(const wchar_t* section, const wchar_t* key, const std::wstring& fallback,
                                        bool writeBack) const {
  std::wstring value = ReadString(section, key);
  if (!value.empty()) return value;
  if (writeBack && !fallback.empty()) WriteString(section, key, fallback);
  return fallback;
}

bool CSettings::LoadSetting() {
  CLog::Print(L"LoadSetting開始\n");
  const std::wstring temp = TempFolder();
  if (GetFileAttributesW(temp.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(temp.c_str(), nullptr);

  defaultEudcFont = ReadWithDefault(kSectionCommon, kKeyDefaultEudcFont, kDefaultEudcFontName, true);
  gaijiShowFont = ReadWithDefault(kSectionGkp, kKeyGaijiShowFont, kDefaultGaijiShowFont, true);
  // The Fonts folder is asked of the shell only when the key has no value.
  tteFilePath = ReadString(kSectionBrowser, kKeyTTEFilePath);
  if (tteFilePath.empty())
    tteFilePath = ReadWithDefault(kSectionBrowser, kKeyTTEFilePath, GetSpecialFolderPath(CSIDL_FONTS), true);
  std::wstring manage = ReadWithDefault(kSectionBrowser, kKeyYomiManage, L"false", true);
  std::transform(manage.begin(), manage.end(), manage.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  yomiManage = manage == L"true";
  if (ReadInt(kSectionBrowser, kKeyYomiMaxCount, 0) <= 0) WriteInt(kSectionBrowser, kKeyYomiMaxCount, kDefaultYomiMaxCount);

  CLog::Print(L"LoadSetting終了\n");
  return true;
}

int CSettings::ReadBitmapSize() {
  bitmapSize = ReadInt(kSectionBrowser, kKeyBitmapSize, -1);
  if (bitmapSize == -1) {
    bitmapSize = kDefaultBitmapSize;
    WriteInt(kSectionBrowser, kKeyBitmapSize, bitmapSize);
  }
  return bitmapSize;
}

int CSettings::YomiMaxCount() const {
  const int count = ReadInt(kSectionBrowser, kKeyYomiMaxCount, 0);
  return count <= 0 ? kDefaultYomiMaxCount : std::min(count, kMaxYomiMaxCount);
}

std::wstring CSettings::GetLinkedFontPath(bool tte) const { return moji::GetLinkedFontPath(defaultEudcFont, tte); }

Placement CSettings::ReadPlacement(const wchar_t* section, const wchar_t* key, const Placement& defaults) const {
  return ParsePlacementOr(FromWide(ReadString(section, key)), defaults);
}

bool CSettings::SavePlacement(const wchar_t* section, const wchar_t* key, const Placement& current,
                              const Placement& defaults) const {
  if (!PlacementNeedsSave(ReadPlacement(section, key, defaults), current)) return false;
  return WriteString(section, key, ToWide(FormatPlacement(current)));
}

bool CSettings::SaveWindowPlacement(HWND window, const wchar_t* section, const wchar_t* key,
                                    const Placement& defaults) const {
  if (IsIconic(window) || IsZoomed(window)) return false;
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  return SavePlacement(section, key, Placement{rect.left, rect.top, rect.right, rect.bottom}, defaults);
}

}  // namespace moji
