#include "RecentFileList.h"

#include "FullPath.h"
#include "Settings.h"

namespace moji {
namespace {

bool SameFile(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::wstring KeyOf(int index) { return L"File" + std::to_wstring(index + 1); }

}  // namespace

CRecentFileList::CRecentFileList(UINT firstId, int capacity, std::wstring placeholderText)
    : m_firstId(firstId), m_capacity(capacity > 0 ? capacity : 1), m_placeholder(std::move(placeholderText)) {}

void CRecentFileList::Add(const std::wstring& path) {
  if (path.empty()) return;
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (SameFile(*it, path)) {
      m_entries.erase(it);
      break;
    }
  }
  m_entries.insert(m_entries.begin(), path);
  if (Count() > m_capacity) m_entries.resize(static_cast<size_t>(m_capacity));
}

bool CRecentFileList::Remove(const std::wstring& path) {
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (*it == path) {
      m_entries.erase(it);
      return true;
    }
  }
  return false;
}

std::optional<std::wstring> CRecentFileList::Entry(int index) const {
  if (index < 0 || index >= Count()) return std::nullopt;
  return m_entries[static_cast<size_t>(index)];
}

void CRecentFileList::Load(const CSettings& settings) {
  m_entries.clear();
  for (int i = 0; i < m_capacity; ++i) {
    // Entries written by older versions may be relative; they are opened as whole paths.
    const std::wstring path = settings.ReadString(kSection, KeyOf(i).c_str());
    if (!path.empty()) m_entries.push_back(FullPath(path).wstring());
  }
}

void CRecentFileList::Save(const CSettings& settings) const {
  for (int i = 0; i < m_capacity; ++i) settings.WriteString(kSection, KeyOf(i).c_str(), Entry(i).value_or(L""));
}

std::wstring CRecentFileList::MenuText(int index) const {
  std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
  for (wchar_t c : Entry(index).value_or(L"")) {
    if (c == L'&') text += L'&';
    text += c;
  }
  return text;
}

void CRecentFileList::UpdateMenu(HMENU popup) const {
  int position = -1;
  for (int i = ::GetMenuItemCount(popup) - 1; i >= 0; --i) {
    const UINT id = ::GetMenuItemID(popup, i);
    if (id >= m_firstId && id <= LastId()) {
      ::DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
      position = i;
    }
  }
  if (position < 0) return;
  if (m_entries.empty()) {
    ::InsertMenuW(popup, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING | MF_GRAYED, m_firstId,
                  m_placeholder.c_str());
    return;
  }
  for (int i = 0; i < Count(); ++i) {
    ::InsertMenuW(popup, static_cast<UINT>(position + i), MF_BYPOSITION | MF_STRING, m_firstId + static_cast<UINT>(i),
                  MenuText(i).c_str());
  }
}

}  // namespace moji
