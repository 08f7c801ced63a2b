// Printing for a program's view: the printer choice that lasts for the program's run, the
// print dialog, the printer set-up dialog and the page loop over StartDoc / StartPage /
// EndPage / EndDoc that calls the four callbacks of the view (CPrintView).
//
//   bool CMyView::OnPreparePrinting(CPrintInfo& info) {
//     info.maxPage = pages;                          // the job's page count
//     return m_printing.DoPreparePrinting(info);     // dialog, or the default for preview
//   }
//   m_printing.Print(frame, view, L"document name"); // the whole job
//
// The print dialog allows printing to a file; when the user asks for it, or when the chosen
// printer's port is "FILE:", the output file is asked with a save dialog.
//
// While a job sends its pages, the "印刷中" box (CPrintingDlg) shows the page and offers to
// cancel; the job's abort procedure keeps the program's messages flowing, with the owner
// disabled. A cancelled job ends with AbortDoc; a job the spooler or driver refuses (StartDoc,
// StartPage, EndPage or EndDoc fails) ends the same way and reports the failing printer.
#pragma once

#include <windows.h>

#include <string>

namespace moji {

struct CPrintInfo {
  bool preview = false;
  int minPage = 1;
  int maxPage = 0xFFFF;
  int fromPage = 1;  // the pages the user chose (all pages by default)
  int toPage = 0xFFFF;
  int currentPage = 1;
  HDC dc = nullptr;              // the printer's device context, made by DoPreparePrinting
  std::wstring outputFile;       // printing to a file: its path
};

class CPrintView {
 public:
  virtual ~CPrintView() = default;
  // Prepare the job; true to go on (usually the answer of DoPreparePrinting).
  virtual bool OnPreparePrinting(CPrintInfo& info) = 0;
  // The output device is known (in preview: the printer as attribute device).
  virtual void OnBeginPrinting(HDC dc, CPrintInfo& info) = 0;
  // Draw page info.currentPage.
  virtual void OnPrint(HDC dc, CPrintInfo& info) = 0;
  // The job is over, printed, cancelled after it began, or failed.
  virtual void OnEndPrinting(HDC dc, CPrintInfo& info) = 0;
};

// How a print job ended. kNotStarted: the view refused to prepare or the dialog was cancelled.
struct PrintResult {
  enum Status { kPrinted, kNotStarted, kCancelled, kFailed };
  Status status = kNotStarted;
  DWORD error = 0;          // kFailed: the system's error code
  std::wstring printer;     // kFailed: the printer's name
  std::wstring outputFile;  // kFailed: the output file when printing to a file
};

class CPrintService {
 public:
  CPrintService() = default;
  virtual ~CPrintService();
  CPrintService(const CPrintService&) = delete;
  CPrintService& operator=(const CPrintService&) = delete;

  // Owner of the dialogs.
  void SetOwner(HWND owner) { m_owner = owner; }

  // Printing: the print dialog over pages minPage..maxPage; preview: the chosen or default
  // printer without dialog. Makes info.dc. False when cancelled or no printer is there.
  bool DoPreparePrinting(CPrintInfo& info);

  // The printer set-up dialog; the choice is kept for later jobs.
  bool PrinterSetup();

  // A whole print job of `view`.
  PrintResult Print(CPrintView& view, const std::wstring& documentName);

  // Ends a job in progress as if its cancel button was pressed (the session ends).
  void CancelJob();

  // A device context of the chosen (or default) printer; the caller deletes it.
  HDC CreatePrinterDC();

  // The chosen (or default) printer's name; empty when none is known.
  std::wstring PrinterName() const;

 protected:
  // The spooler's calls of a job, one seam for tests that make them fail.
  virtual int StartDocument(HDC dc, const DOCINFOW& doc) { return ::StartDocW(dc, &doc); }
  virtual int StartDevicePage(HDC dc) { return ::StartPage(dc); }
  virtual int EndDevicePage(HDC dc) { return ::EndPage(dc); }
  virtual int EndDocument(HDC dc) { return ::EndDoc(dc); }

 private:
  class CJob;
  static BOOL CALLBACK AbortProc(HDC dc, int error);

  bool RunPrintDialog(DWORD flags, CPrintInfo* info);
  bool AskOutputFile(std::wstring& path) const;
  bool PortIsFile() const;

  HWND m_owner = nullptr;
  HGLOBAL m_devMode = nullptr;
  HGLOBAL m_devNames = nullptr;
  CJob* m_job = nullptr;  // the job sending its pages
};

}  // namespace moji
