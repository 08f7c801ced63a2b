// Mojisheet.exe, the code-table printer.
#include <windows.h>

#include "GlyphsheetApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR arguments, int) {
  moji::CGlyphsheetApp app;
  return app.Run(arguments);
}
