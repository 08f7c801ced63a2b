#include "PrintService.h"

#include <commdlg.h>

#include <algorithm>

#include "MessageLoop.h"
#include "PrintingDlg.h"

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

// The job sending its pages: the "印刷中" box, with the owner disabled meanwhile.
class CPrintService::CJob {
 public:
  CJob(HWND owner, const std::wstring& documentName) : m_owner(owner) {
    m_ownerWasEnabled = m_owner && !::EnableWindow(m_owner, FALSE);
    box.Open(m_owner, documentName);
  }
  ~CJob() {
    // The owner first, so that it is what becomes active when the box goes.
    if (m_ownerWasEnabled) ::EnableWindow(m_owner, TRUE);
  }
  CJob(const CJob&) = delete;
  CJob& operator=(const CJob&) = delete;

  CPrintingDlg box;

 private:
  HWND m_owner;
  bool m_ownerWasEnabled = false;
};

namespace {

CPrintingDlg* g_printingBox = nullptr;  // the box of the job in progress (one per thread's UI)

}  // namespace

BOOL CALLBACK CPrintService::AbortProc(HDC, int) {
  MSG msg;
  while (g_printingBox && !g_printingBox->Cancelled() && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The program is asked to end: the job ends first, the loop outside sees the quit.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      g_printingBox->Cancel();
      break;
    }
    if (!CMessageLoop::PreTranslate(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return g_printingBox && !g_printingBox->Cancelled();
}

void CPrintService::CancelJob() {
  if (m_job) m_job->box.Cancel();
}

std::wstring CPrintService::PrinterName() const {
  if (!m_devNames) return {};
  const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_devNames));
  if (!names) return {};
  const SIZE_T chars = ::GlobalSize(m_devNames) / sizeof(wchar_t);
  std::wstring name;
  if (names->wDeviceOffset < chars) {
    const wchar_t* device = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
    name.assign(device, ::wcsnlen(device, chars - names->wDeviceOffset));
  }
  ::GlobalUnlock(m_devNames);
  return name;
}

PrintResult CPrintService::Print(CPrintView& view, const std::wstring& documentName) {
  PrintResult result;
  CPrintInfo info;
  if (!view.OnPreparePrinting(info) || !info.dc) {
    if (info.dc) ::DeleteDC(info.dc);
    return result;
  }
  HDC dc = info.dc;
  view.OnBeginPrinting(dc, info);
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = documentName.c_str();
  doc.lpszOutput = info.outputFile.empty() ? nullptr : info.outputFile.c_str();

  DWORD error = 0;
  const auto failed = [&error] {
    error = ::GetLastError();
    return false;
  };
  bool started = false, ok = true, cancelled = false;
  {
    CJob job(m_owner, documentName);
    m_job = &job;
    g_printingBox = &job.box;
    ::SetAbortProc(dc, AbortProc);
    started = StartDocument(dc, doc) > 0;
    ok = started || failed();
    const int last = std::min(info.toPage, info.maxPage);
    for (int page = info.fromPage; ok && page <= last; ++page) {
      job.box.SetPage(page, last);
      if (!AbortProc(dc, 0)) break;  // the box's cancel, also where the driver never asks
      info.currentPage = page;
      if (StartDevicePage(dc) <= 0) {
        ok = failed();
        break;
      }
      const int saved = ::SaveDC(dc);
      view.OnPrint(dc, info);
      ::RestoreDC(dc, saved);
      if (EndDevicePage(dc) <= 0) ok = failed();
    }
    cancelled = job.box.Cancelled();
    if (ok && !cancelled)
      ok = EndDocument(dc) > 0 || failed();
    else if (started)
      ::AbortDoc(dc);
    g_printingBox = nullptr;
    m_job = nullptr;
  }
  view.OnEndPrinting(dc, info);
  ::DeleteDC(dc);
  if (cancelled) {
    result.status = PrintResult::kCancelled;
  } else if (!ok) {
    result.status = PrintResult::kFailed;
    result.error = error;
    result.printer = PrinterName();
    result.outputFile = info.outputFile;
  } else {
    result.status = PrintResult::kPrinted;
  }
  return result;
}

}  // namespace moji
