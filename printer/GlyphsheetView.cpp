#include "GlyphsheetView.h"

#include <ctime>

#include "Dpi.h"
#include "GaijiCode.h"
#include "GlyphsheetApp.h"
#include "Message.h"
#include "MojisheetRes.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr int kEditPoints = 9;
constexpr int kCodeChars = 4;
constexpr int kLastShiftJisGaiji = 0xE757;

std::wstring CurrentDateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return ToWide(FormatPrintDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec));
}

}  // namespace

CGlyphsheetView::CGlyphsheetView(CGlyphsheetApp& app)
    : CFormView(IDD_GLYPHSHEET_FORM), m_app(app), m_registry(false), m_journal(ProcessLinkJournal()) {}

bool CGlyphsheetView::OnInitDialog() {
  m_startEdit.SubclassDlgItem(IDC_START_CODE, Handle());
  m_endEdit.SubclassDlgItem(IDC_END_CODE, Handle());
  for (HWND edit : {Item(IDC_START_CODE), Item(IDC_END_CODE)}) ::SendMessageW(edit, EM_LIMITTEXT, kCodeChars, 0);
  SetItemText(IDC_START_CODE, FormatText(L"%4.4X", kGaijiFirst));
  SetItemText(IDC_END_CODE, FormatText(L"%4.4X", kGaijiLast));
  return true;
}

void CGlyphsheetView::OnInitialUpdate() { OnDpiChanged(WindowDpi(Handle())); }

void CGlyphsheetView::OnDpiChanged(int dpi) {
  m_editFont.reset(CreatePointFontForDpi(kEditPoints, kGothicFace, dpi));
  for (HWND edit : {Item(IDC_START_CODE), Item(IDC_END_CODE)})
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_editFont.get()), TRUE);
}

bool CGlyphsheetView::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && id == IDC_RANGE_UNICODE) {
    SetRange(kGaijiFirst, kGaijiLast);
    return true;
  }
  if (code == BN_CLICKED && id == IDC_RANGE_SJIS) {
    SetRange(kGaijiFirst, kLastShiftJisGaiji);
    return true;
  }
  return CFormView::OnCommand(id, code, control);
}

void CGlyphsheetView::SetRange(int start, int end) {
  SetItemText(IDC_START_CODE, ToWide(FormatHex4(static_cast<std::uint32_t>(start))));
  SetItemText(IDC_END_CODE, ToWide(FormatHex4(static_cast<std::uint32_t>(end))));
  ::SetFocus(Item(IDC_START_CODE));
}

bool CGlyphsheetView::OnPreparePrinting(CPrintInfo& info) {
  const std::wstring startText = ItemText(IDC_START_CODE).substr(0, kCodeChars);
  const std::wstring endText = ItemText(IDC_END_CODE).substr(0, kCodeChars);
  const auto range = ValidatePrintRange(FromWide(startText), FromWide(endText));
  HWND owner = ::GetAncestor(Handle(), GA_ROOT);
  if (!range) {
    ::SetFocus(Item(IDC_START_CODE));
    ShowMessage(owner, IDS_ERR_BAD_RANGE, MB_OK);
    return false;
  }

  const std::wstring& printTte = m_app.PrintTtePath();
  if (!printTte.empty() &&
      m_link.Link(FromWide(printTte), FromWide(m_app.GaijiShowFont()), FromWide(m_app.DefaultEudcFont())) != 0) {
    m_link.Undo();
    ShowMessage(owner, IDS_ERR_PRINT_LINK, MB_OK);
    return false;
  }

  info.maxPage = CodeTablePageCount(*range);
  m_job = CodeTableJob{};
  m_job.range = *range;
  m_job.startText = startText;
  m_job.endText = endText;
  m_job.tteName = printTte.empty() ? m_app.DefaultEudcFont() : printTte;
  m_job.dateText = CurrentDateText();
  m_job.pageCount = info.maxPage;
  m_job.labelFace = m_app.GaijiShowFont();

  const std::filesystem::path ttePath = printTte.empty() ? m_app.DefaultEudcFontFile() : printTte;
  if (const int status = m_tte.Read(ttePath); status != 0)
    ShowMessage(owner, IDS_WARN_TTE_READ, MB_OK | MB_ICONEXCLAMATION, ttePath.c_str(), status);
  if (!m_glyphFace.Open(ttePath, m_app.GaijiShowFont())) m_glyphFace.UseDisplayFace(m_app.GaijiShowFont());
  m_job.tte = &m_tte;
  m_job.glyphFace = &m_glyphFace;

  if (m_app.Printing().DoPreparePrinting(info)) {
    // The frame grows for the preview only once there is one to show.
    if (info.preview) m_app.MainFrame().OnPreviewBegin();
    return true;
  }
  // Nothing follows a cancelled dialog: the link ends here. A preview has no dialog: it
  // fails only when no printer is there to lay the pages out for.
  m_glyphFace.Close();
  m_link.Undo();
  if (info.preview) ShowMessage(owner, IDS_ERR_NO_PRINTER, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

void CGlyphsheetView::OnBeginPrinting(HDC dc, CPrintInfo&) {
  m_printable = SIZE{::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES)};
}

void CGlyphsheetView::OnPrint(HDC dc, CPrintInfo& info) { PaintPage(dc, dc, POINT{0, 0}, m_printable, info.currentPage); }

void CGlyphsheetView::PaintPage(HDC dc, HDC printer, POINT origin, SIZE viewport, int page) const {
  CCodeTablePainter::PaintPage(dc, printer, origin, viewport, m_job, page);
}

void CGlyphsheetView::OnEndPrinting(HDC, CPrintInfo& info) {
  if (info.preview) m_app.MainFrame().OnPreviewEnd();
  m_glyphFace.Close();
  m_link.Undo();
}

}  // namespace moji
