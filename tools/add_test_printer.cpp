// Adds the test printer of the Wine prefix: "TestPS", a PostScript printer (Wine's
// wineps.drv with tests/data/test.ppd, copied beside the drivers by wine-setup.sh) on the
// port FILE:, made the default printer. Built and run by tools/wine-setup.sh.
#include <windows.h>
#include <winspool.h>

int wmain() {
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<LPWSTR>(L"Test PS Driver");
  driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
  driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
  driver.pDataFile = const_cast<LPWSTR>(L"test.ppd");
  if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) && GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
    return 1;
  PRINTER_INFO_2W printer{};
  printer.pPrinterName = const_cast<LPWSTR>(L"TestPS");
  printer.pPortName = const_cast<LPWSTR>(L"FILE:");
  printer.pDriverName = driver.pName;
  printer.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
  printer.pDatatype = const_cast<LPWSTR>(L"RAW");
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (handle) ClosePrinter(handle);
  else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) return 2;
  return SetDefaultPrinterW(L"TestPS") ? 0 : 3;
}
