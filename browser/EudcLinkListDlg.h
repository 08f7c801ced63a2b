// CEudcLinkListDlg (template IDD_EUDC_LINK_LIST): every EUDC link value of the user in a
// report list (書体 / 外字ﾌｧｲﾙ / 状態), the link for all typefaces first, with the count of
// links and of broken ones under it. 開く (or a double-click) ends the dialog with IDOK and
// the selected row's TTE as ResultPath(); 削除 removes the selected typeface's link,
// ﾘﾝｸ切れを削除 every per-typeface link whose TTE is missing, each after the user's Yes.
// Removals go through `link` (its SwitchEudc with an empty TTE); the list is read again
// after each of them.
//
//   CRegistryEudcLink link;
//   CEudcLinkListDlg dialog(link, fontsFolder);
//   if (dialog.DoModal(frame) == IDOK) Open(dialog.ResultPath());
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Dialog.h"
#include "EudcLinkList.h"

namespace moji {

class CEudcLinkSwitcher;

class CEudcLinkListDlg : public CDialog {
 public:
  CEudcLinkListDlg(CEudcLinkSwitcher& link, std::u16string fontsFolder);
  ~CEudcLinkListDlg() override;

  // The TTE chosen with 開く; empty unless the dialog ended with IDOK.
  const std::filesystem::path& ResultPath() const { return m_result; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(NMHDR* header, LRESULT& result) override;

 private:
  // Reads the links again and shows them; the row of `keepFace` stays selected when it is
  // still there.
  void Refill(const std::u16string& keepFace = {});
  void UpdateButtons();
  // The selected row, or nullptr.
  const EudcLinkRow* Selected() const;
  std::wstring ShownFace(const EudcLinkRow& row) const;
  // The IDS_LINK_LINE lines of `rows`.
  std::wstring Lines(const std::vector<EudcLinkRow>& rows) const;

  void OnOpen();
  void OnDelete();
  void OnDeleteBroken();
  // Removes the links of `rows` and shows the list again; failures are reported.
  void Remove(const std::vector<EudcLinkRow>& rows);

  CEudcLinkSwitcher& m_link;
  std::u16string m_fontsFolder;
  std::vector<EudcLinkRow> m_rows;  // in list order
  std::filesystem::path m_result;
};

}  // namespace moji
