// Mojisheet.exe, the code-table printer. It shares the browser's processing log, into which
// it writes only its failures and the repair of links a killed job left behind.
#include <windows.h>

#include "GlyphsheetApp.h"
#include "Log.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR arguments, int) {
  moji::CLog::Open(moji::CLog::DefaultPath());
  moji::CGlyphsheetApp app;
  return app.Run(arguments);
}
