// The programs the browser starts from its program folder (a folder path ending in "\"):
// the code-table printer Mojisheet.exe for the shown font, the glyph editor Mojidraw.exe
// for one gaiji and the updater Updatix.exe, and the end of every browser and printer
// that the update asks for. Every start goes through LaunchProgram with SW_SHOWDEFAULT;
// one that fails shows message 2050 with the command line and logs it.
#pragma once

#include <windows.h>

#include <string>

namespace moji {

// The TTE path the printer gets for the shown path: a path whose last three characters are
// "euf" in any letter case ends in "tte" instead; any other path stays as it is.
std::wstring PrinterTtePath(const std::wstring& shownPath);

// "\"<folder>Mojisheet.exe\" /F:<tte path>": the path unquoted, exactly as it reads.
std::wstring PrinterCommandLine(const std::wstring& programFolder, const std::wstring& ttePath);
// "\"<folder>Mojidraw.exe\" <code>" with the code as four upper-case hex digits.
std::wstring GlyphEditorCommandLine(const std::wstring& programFolder, const std::wstring& hexCode);
// "\"<folder>Updatix.exe\"".
std::wstring UpdaterCommandLine(const std::wstring& programFolder);

// Starts `commandLine`; on failure message 2050 names it (logged too). True when started.
bool StartProgram(HWND owner, const std::wstring& commandLine);

// Command 32771: with a printer window running (kPrinterTag), message 2052 and that window
// comes to the front; with no TTE file at PrinterTtePath(shownPath), message 2037; else
// the printer starts. True when it was started.
bool StartCodeTablePrinter(HWND owner, const std::wstring& programFolder, const std::wstring& shownPath);

// Ends this browser and every running browser and printer at once: WM_QUIT to `self`,
// then to each window tagged kBrowserTag or kPrinterTag that still exists. Their message
// loops end without the close handling, so none saves its placement.
void QuitAllBrowsersAndPrinters(HWND self);

}  // namespace moji
