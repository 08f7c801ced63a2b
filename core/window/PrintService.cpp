#include "PrintService.h"

#include <commdlg.h>

#include "SaveFileDlg.h"

namespace moji {

namespace {

constexpr wchar_t kFilePort[] = L"FILE:";

}  // namespace

CPrintService::~CPrintService() {
  if (m_devMode) ::GlobalFree(m_devMode);
  if (m_devNames) ::GlobalFree(m_devNames);
}

bool CPrintService::RunPrintDialog(DWORD flags, CPrintInfo* info) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = m_owner;
  dialog.hDevMode = m_devMode;
  dialog.hDevNames = m_devNames;
  dialog.Flags = flags;
  if (info) {
    dialog.nMinPage = static_cast<WORD>(info->minPage);
    dialog.nMaxPage = static_cast<WORD>(info->maxPage);
    dialog.nFromPage = static_cast<WORD>(info->minPage);
    dialog.nToPage = static_cast<WORD>(info->maxPage);
    dialog.nCopies = 1;
  }
  const BOOL ok = ::PrintDlgW(&dialog);
  // The dialog may replace the handles it was given.
  m_devMode = dialog.hDevMode;
  m_devNames = dialog.hDevNames;
  if (!ok) return false;
  if (info) {
    info->dc = dialog.hDC;
    if (dialog.Flags & PD_PAGENUMS) {
      info->fromPage = dialog.nFromPage;
      info->toPage = dialog.nToPage;
    } else {
      info->fromPage = info->minPage;
      info->toPage = info->maxPage;
    }
    if ((dialog.Flags & PD_PRINTTOFILE) || PortIsFile()) {
      if (!AskOutputFile(info->outputFile)) {
        ::DeleteDC(info->dc);
        info->dc = nullptr;
        return false;
      }
    }
  } else if (dialog.hDC) {
    ::DeleteDC(dialog.hDC);
  }
  return true;
}

bool CPrintService::PortIsFile() const {
  if (!m_devNames) return false;
  const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_devNames));
  if (!names) return false;
  const SIZE_T chars = ::GlobalSize(m_devNames) / sizeof(wchar_t);
  bool file = false;
  if (names->wOutputOffset < chars) {
    const wchar_t* port = reinterpret_cast<const wchar_t*>(names) + names->wOutputOffset;
    file = ::lstrcmpiW(std::wstring(port, ::wcsnlen(port, chars - names->wOutputOffset)).c_str(), kFilePort) == 0;
  }
  ::GlobalUnlock(m_devNames);
  return file;
}

bool CPrintService::AskOutputFile(std::wstring& path) const {
  CSaveFileDlg dialog(L"ﾌﾟﾘﾝﾀ ﾌｧｲﾙ (*.prn)\0*.prn\0すべてのﾌｧｲﾙ (*.*)\0*.*\0", L"prn", L"印刷先ﾌｧｲﾙ名");
  if (!dialog.DoModal(m_owner, {})) return false;
  path = dialog.Path().wstring();
  return true;
}

bool CPrintService::DoPreparePrinting(CPrintInfo& info) {
  if (info.preview) {
    info.dc = CreatePrinterDC();
    info.fromPage = info.minPage;
    info.toPage = info.maxPage;
    return info.dc != nullptr;
  }
  return RunPrintDialog(PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE, &info);
}

bool CPrintService::PrinterSetup() { return RunPrintDialog(PD_PRINTSETUP, nullptr); }

HDC CPrintService::CreatePrinterDC() {
  if (!m_devNames && !RunPrintDialog(PD_RETURNDEFAULT, nullptr)) return nullptr;
  const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_devNames));
  if (!names) return nullptr;
  const auto* text = reinterpret_cast<const wchar_t*>(names);
  const auto* mode = m_devMode ? static_cast<const DEVMODEW*>(::GlobalLock(m_devMode)) : nullptr;
  HDC dc = ::CreateDCW(text + names->wDriverOffset, text + names->wDeviceOffset, nullptr, mode);
  if (mode) ::GlobalUnlock(m_devMode);
  ::GlobalUnlock(m_devNames);
  return dc;
}

bool CPrintService::Print(CPrintView& view, const std::wstring& documentName) {
  CPrintInfo info;
  if (!view.OnPreparePrinting(info) || !info.dc) {
    if (info.dc) ::DeleteDC(info.dc);
    return false;
  }
  HDC dc = info.dc;
  view.OnBeginPrinting(dc, info);
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = documentName.c_str();
  doc.lpszOutput = info.outputFile.empty() ? nullptr : info.outputFile.c_str();
  bool ok = ::StartDocW(dc, &doc) > 0;
  for (int page = info.fromPage; ok && page <= info.toPage && page <= info.maxPage; ++page) {
    info.currentPage = page;
    ok = ::StartPage(dc) > 0;
    if (!ok) break;
    const int saved = ::SaveDC(dc);
    view.OnPrint(dc, info);
    ::RestoreDC(dc, saved);
    ok = ::EndPage(dc) > 0;
  }
  if (ok)
    ok = ::EndDoc(dc) > 0;
  else
    ::AbortDoc(dc);
  view.OnEndPrinting(dc, info);
  ::DeleteDC(dc);
  return ok;
}

}  // namespace moji
