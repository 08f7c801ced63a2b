// The settings file "Mojiview.ini" in the program folder, shared by both programs and read
// and written key by key through the private-profile functions. A missing, read-only or
// unreadable file is no error: reads give the defaults and failed writes are ignored.
//
// CSettings holds the file's location and the copies the browser keeps in memory; the
// generic Read/Write members serve every other key (the printer's loader, window
// placements, the recent-file list).
#pragma once

#include <windows.h>

#include <string>

#include "Placement.h"

namespace moji {

inline constexpr wchar_t kSettingsFileName[] = L"Mojiview.ini";
inline constexpr wchar_t kTempFolderName[] = L"TEMP\\";

inline constexpr wchar_t kSectionCommon[] = L"Common";
inline constexpr wchar_t kSectionGkp[] = L"GkpSettings";
inline constexpr wchar_t kSectionBrowser[] = L"GkpBrowserSettings";
inline constexpr wchar_t kSectionPrint[] = L"GkpPrintSettings";

inline constexpr wchar_t kKeyDefaultEudcFont[] = L"DefaultEudcFont";     // Common
inline constexpr wchar_t kKeyGaijiShowFont[] = L"GaijiShowFont";         // GkpSettings
inline constexpr wchar_t kKeyTTEFilePath[] = L"TTEFilePath";             // GkpBrowserSettings
inline constexpr wchar_t kKeyYomiManage[] = L"YomiManage";               // GkpBrowserSettings
inline constexpr wchar_t kKeyYomiMaxCount[] = L"YomiMaxCount";           // GkpBrowserSettings
inline constexpr wchar_t kKeyBitmapSize[] = L"BitmapSize";               // GkpBrowserSettings
inline constexpr wchar_t kKeyBrowserWindowPos[] = L"BrowserWindowPos";   // GkpBrowserSettings
inline constexpr wchar_t kKeyCandidateFont[] = L"CandidateFont";         // GkpBrowserSettings
inline constexpr wchar_t kKeyCodePrintWindowPos[] = L"CodePrintWindowPos";  // GkpPrintSettings

inline constexpr wchar_t kDefaultEudcFontName[] = L"EUDC.TTE";
inline constexpr wchar_t kDefaultGaijiShowFont[] = L"ＭＳ 明朝";
constexpr int kDefaultYomiMaxCount = 6400;
constexpr int kMaxYomiMaxCount = 1000000;  // bounds the reading store (46 bytes a record)
constexpr int kDefaultBitmapSize = 64;

// Path of a shell special folder (CSIDL_FONTS, ...), "" when the shell has none.
std::wstring GetSpecialFolderPath(int csidl);

// The file named by `storedName` (a DefaultEudcFont value) with extension "TTE" (tte set)
// or "EUF"; bare names are placed in the system fonts folder. See MakeLinkedFontPath.
std::wstring GetLinkedFontPath(const std::wstring& storedName, bool tte);

class CSettings {
 public:
  // `programFolder` ends in "\"; the settings file and TEMP\ lie in it.
  explicit CSettings(std::wstring programFolder);

  const std::wstring& ProgramFolder() const { return m_programFolder; }
  const std::wstring& FilePath() const { return m_filePath; }
  std::wstring TempFolder() const { return m_programFolder + kTempFolderName; }

  // Key access. ReadString gives `fallback` when the key is missing; WriteString creates a
  // missing file as UTF-16 so that every path survives, and answers whether it wrote.
  std::wstring ReadString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback = L"") const;
  int ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const;
  bool WriteString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
  bool WriteInt(const wchar_t* section, const wchar_t* key, int value) const;

  // The browser's loader, run once at start-up: logs "LoadSetting開始", makes sure TempFolder()
  // exists, fills the copies below from DefaultEudcFont, GaijiShowFont, TTEFilePath,
  // YomiManage and YomiMaxCount, writing each default back when its key is missing or
  // empty (YomiMaxCount when not positive), and logs "LoadSetting終了". Always true.
  bool LoadSetting();

  // BitmapSize read with fallback -1: -1 (missing) writes and gives 64; any other stored
  // value, 0 included, is used as it is. Also sets bitmapSize.
  int ReadBitmapSize();

  // Capacity of the reading store, read from the file at each use: 6400 when the key is
  // missing or not positive, at most kMaxYomiMaxCount.
  int YomiMaxCount() const;

  // GetLinkedFontPath of the in-memory defaultEudcFont.
  std::wstring GetLinkedFontPath(bool tte) const;

  // A stored placement, or `defaults` when the key is empty or does not give four fields.
  Placement ReadPlacement(const wchar_t* section, const wchar_t* key, const Placement& defaults = kDefaultPlacement) const;
  // Writes `current` only when it differs from the stored placement; true when written.
  bool SavePlacement(const wchar_t* section, const wchar_t* key, const Placement& current,
                     const Placement& defaults = kDefaultPlacement) const;
  // SavePlacement of the window rectangle; nothing while the window is minimised or
  // maximised.
  bool SaveWindowPlacement(HWND window, const wchar_t* section, const wchar_t* key,
                           const Placement& defaults = kDefaultPlacement) const;

  // In-memory copies kept by the browser (LoadSetting, ReadBitmapSize).
  std::wstring defaultEudcFont = kDefaultEudcFontName;
  std::wstring gaijiShowFont = kDefaultGaijiShowFont;
  std::wstring tteFilePath;
  bool yomiManage = false;
  int bitmapSize = kDefaultBitmapSize;

 private:
  // The stored string, or `fallback` (written back when `writeBack`) when missing or empty.
  std::wstring ReadWithDefault(const wchar_t* section, const wchar_t* key, const std::wstring& fallback,
                               bool writeBack) const;

  std::wstring m_programFolder;
  std::wstring m_filePath;
};

}  // namespace moji
