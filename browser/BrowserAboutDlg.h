// CBrowserAboutDlg: the browser's About box (dialog 100), the core's box with the online
// update on button 1048 "自動更新...": asked with 5032 (OK / Cancel); on OK the updater
// "Updatix.exe" of the program folder starts and every browser and printer ends at once (no placements
// saved), or message 2050 names the command line that failed. Either way the box then
// closes with 1; on Cancel it stays open.
#pragma once

#include <string>

#include "AboutDlg.h"

namespace moji {

class CBrowserAboutDlg : public CAboutDlg {
 public:
  // `mainWindow`: the browser's main window, the first to be told to quit.
  CBrowserAboutDlg(HWND mainWindow, std::wstring programFolder);

 protected:
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void OnUpdate();

  HWND m_mainWindow;
  std::wstring m_programFolder;
};

}  // namespace moji
