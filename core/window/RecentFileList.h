// CRecentFileList: the "recently opened files" entries of a File menu, newest first, kept
// in the settings file (section "Recent File List", keys "File1".."File<n>").
//
// In the menu resource the list is one placeholder item with the first id of the range
// (for the browser "最近開いた外字ﾌｧｲﾙ", ID_FILE_MRU_FIRST). UpdateMenu, called by the frame on
// WM_INITMENUPOPUP before the command table greys items, replaces the items of the range by
// "&1 <path>", "&2 <path>", ... or, while the list is empty, by the placeholder again. The
// commands of the range are ordinary command-table entries:
//   commands.AddRange(first, last, [&](UINT id) { Open(*recent.Entry(id - first)); },
//                     [&](UINT id) { return recent.Entry(id - first).has_value(); });
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace moji {

class CSettings;

class CRecentFileList {
 public:
  static constexpr wchar_t kSection[] = L"Recent File List";

  // `firstId` is the placeholder's id; the list uses firstId .. firstId + capacity - 1.
  CRecentFileList(UINT firstId, int capacity, std::wstring placeholderText);

  // Puts `path` first; an entry naming the same file (letter case ignored) moves up.
  void Add(const std::wstring& path);
  // Removes the first entry exactly equal to `path`; true when one was removed.
  bool Remove(const std::wstring& path);

  int Count() const { return static_cast<int>(m_entries.size()); }
  std::optional<std::wstring> Entry(int index) const;
  UINT FirstId() const { return m_firstId; }
  UINT LastId() const { return m_firstId + static_cast<UINT>(m_capacity) - 1; }

  // Reads the keys File1..File<capacity>, skipping empty ones; Save writes them all back
  // (empty for unused places).
  void Load(const CSettings& settings);
  void Save(const CSettings& settings) const;

  // Rebuilds the list's items in `popup` when it holds any item of the range.
  void UpdateMenu(HMENU popup) const;

  // The menu text of entry `index`: "&<n> " and the path, with "&" doubled.
  std::wstring MenuText(int index) const;

 private:
  UINT m_firstId;
  int m_capacity;
  std::wstring m_placeholder;
  std::vector<std::wstring> m_entries;
};

}  // namespace moji
