// CYomiEditDlg (template IDD_YOMI_EDIT): edits the readings of one gaiji. It shows the
// gaiji's bitmap and codes and lists its readings; typed readings (hiragana, several at
// once separated by commas) are added to the list, a selected one moves back into the input,
// and Update (also Enter) writes the list into the reading store. End (also Escape) asks
// before it discards list changes that were not written. F1 opens the help at the dialog's
// own context.
//
//   CYomiEditDlg dialog(bitmap, u"E001", app.Yomi());   // the bitmap stays the caller's
//   dialog.DoModal(frame);
//
// Without a reading store (the user declined reading management for the file) the dialog
// only shows the gaiji: it never touches the missing store.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "BitmapPict.h"
#include "Dialog.h"
#include "HirakanaEdit.h"
#include "PointFont.h"

namespace moji {

class CYomiStore;

class CYomiEditDlg : public CDialog {
 public:
  static constexpr int kMaxInput = 128;

  CYomiEditDlg(HBITMAP bitmap, std::u16string codeText, CYomiStore& store);
  ~CYomiEditDlg() override;

  bool IsModified() const { return m_modified; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnOK() override;      // Update
  void OnCancel() override;  // End

 private:
  void OnAdd();
  void OnDelete();
  std::vector<std::u16string> ListedReadings() const;
  void SetModified(bool modified);
  void FocusItem(int id);

  HBITMAP m_bitmap;
  std::u16string m_codeText;
  std::u16string m_sjisText;
  int m_code;
  CYomiStore& m_store;
  bool m_modified = false;
  CBitmapPict m_picture;
  CHirakanaEdit m_input;
  UniqueFont m_codeFont;
};

}  // namespace moji
