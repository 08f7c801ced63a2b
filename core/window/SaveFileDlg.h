// CSaveFileDlg: the common "save as" dialog, proposing a file name in a folder and asking
// before it overwrites a file.
//
//   CSaveFileDlg dialog(L"画像 (*.png)\0*.png\0", L"png");   // filter ends in two zeros
//   if (dialog.DoModal(owner, folder / L"E000.png")) Save(dialog.Path());
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace moji {

class CSaveFileDlg {
 public:
  // `filter` is a list of pairs of zero-terminated strings ending with an empty string; it
  // must outlive the dialog. `defaultExtension` is added to a name typed without one.
  CSaveFileDlg(const wchar_t* filter, std::wstring defaultExtension, std::wstring title = {});

  // Modal run with `proposed` (folder and name) filled in; true when the user chose a path.
  bool DoModal(HWND owner, const std::filesystem::path& proposed);

  const std::filesystem::path& Path() const { return m_path; }

 private:
  const wchar_t* m_filter;
  std::wstring m_defaultExtension;
  std::wstring m_title;
  std::filesystem::path m_path;
};

}  // namespace moji
