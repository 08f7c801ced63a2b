// Mojiview.exe, the gaiji browser.
#include <windows.h>

#include "GlyphviewApp.h"
#include "Log.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  moji::CLog::Open(moji::CLog::DefaultPath());
  moji::CGlyphviewApp app;
  return app.Run();
}
