#include "SaveFileDlg.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace moji {

namespace {
constexpr std::size_t kNameChars = MAX_PATH * 4;
}  // namespace

CSaveFileDlg::CSaveFileDlg(const wchar_t* filter, std::wstring defaultExtension, std::wstring title)
    : m_filter(filter), m_defaultExtension(std::move(defaultExtension)), m_title(std::move(title)) {}

bool CSaveFileDlg::DoModal(HWND owner, const std::filesystem::path& proposed) {
  std::vector<wchar_t> name(kNameChars, L'\0');
  const std::wstring fileName = proposed.filename().wstring();
  fileName.copy(name.data(), std::min(fileName.size(), kNameChars - 1));
  const std::wstring folder = proposed.parent_path().wstring();
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = m_filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
  dialog.lpstrDefExt = m_defaultExtension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&dialog)) return false;
  m_path = std::filesystem::path(std::wstring(name.data()));
  return true;
}

}  // namespace moji
