// CTTELoadDlg (template IDD_TTE_LOAD): the browser's open dialog for gaiji font files. It
// lists the TTE files of the folder kept in the settings (TTEFilePath), lets the user pick
// another folder with the shell's folder browser (saved to the settings at once, even when
// the dialog is then cancelled) and hands back the full path of the chosen file.
//
// TTE files one folder below are listed by their path relative to the folder
// ("sub\C.tte"), so that ResultPath names the file that was picked.
//
//   CTTELoadDlg dlg(settings);
//   if (dlg.DoModal(owner) == IDOK) document.Load(dlg.ResultPath());
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "BitmapButton.h"
#include "Dialog.h"
#include "PointFont.h"
#include "Settings.h"

namespace moji {

class CTTELoadDlg : public CDialog {
 public:
  static constexpr int kListDepth = 1;  // the folder and its direct subfolders

  // `settings` (its tteFilePath and the settings file) must outlive the dialog.
  explicit CTTELoadDlg(CSettings& settings);
  ~CTTELoadDlg() override;

  const std::wstring& Folder() const { return m_folder; }
  // The chosen list entry after OK: a file name, or "subfolder\name".
  const std::wstring& SelectedName() const { return m_selected; }
  // The folder joined with the chosen entry.
  std::wstring ResultPath() const { return JoinPath(m_folder, m_selected); }

  // The TTE files (extension .tte in any case) of `folder` and, down to `depth` levels,
  // of its subfolders, as paths relative to `folder`. Names beginning with "." (files and
  // folders) are left out. An empty, missing or unreadable folder gives nothing.
  static std::vector<std::wstring> ListTteFiles(const std::wstring& folder, int depth = kListDepth);
  // folder + "\" + name, without doubling a backslash that ends the folder.
  static std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnOK() override;

  // The shell's folder browser, starting at the current folder; the chosen folder or
  // nothing when the user cancels or the shell fails.
  virtual std::optional<std::wstring> BrowseForFolder();
  // Shows and stores `folder` (dialog, settings copy and settings file), fills the list again.
  void ChangeFolder(const std::wstring& folder);
  // Fills the list from the folder and enables the open button when it is not empty;
  // answers the number of entries.
  int FillList();

 private:
  CSettings& m_settings;
  std::wstring m_folder;
  std::wstring m_selected;
  UniqueFont m_font;
  CBitmapButton m_browse;
};

}  // namespace moji
