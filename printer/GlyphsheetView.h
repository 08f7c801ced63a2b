// CGlyphsheetView: the printer's form view (template 101), the range bar: the start and end
// code fields (half-width edits 1004 and 1005) and the buttons that set the Unicode gaiji
// range (1039) or the range of the Shift-JIS gaiji (1040).
//
// It is also the printed document: its four print callbacks validate the range, link the
// print TTE to the gaiji display face for the job (and undo the link at its end), read the
// TTE and draw each page through CCodeTablePainter, on paper and in the preview alike.
#pragma once

#include <memory>
#include <string>

#include "CodeTablePainter.h"
#include "FormView.h"
#include "GaijiFace.h"
#include "HankakuEdit.h"
#include "PointFont.h"
#include "PrintService.h"
#include "RegistryEudcLink.h"
#include "TTEMetrics.h"

namespace moji {

class CGlyphsheetApp;

class CGlyphsheetView : public CFormView, public CPrintView {
 public:
  explicit CGlyphsheetView(CGlyphsheetApp& app);

  bool OnPreparePrinting(CPrintInfo& info) override;
  void OnBeginPrinting(HDC dc, CPrintInfo& info) override;
  void OnPrint(HDC dc, CPrintInfo& info) override;
  void OnEndPrinting(HDC dc, CPrintInfo& info) override;

  // The job's shared texts and reader, for the preview's pages.
  const CodeTableJob& Job() const { return m_job; }
  // Draws page `page` of the current job scaled into `viewport` at `origin` of `dc`.
  void PaintPage(HDC dc, HDC printer, POINT origin, SIZE viewport, int page) const;

 protected:
  bool OnInitDialog() override;
  void OnInitialUpdate() override;
  // The code fields' font for the display's scale.
  void OnDpiChanged(int dpi) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void SetRange(int start, int end);

  CGlyphsheetApp& m_app;
  CHankakuEdit m_startEdit;
  CHankakuEdit m_endEdit;
  UniqueFont m_editFont;
  CTTEMetrics m_tte;
  CGaijiFace m_glyphFace;
  CodeTableJob m_job;
  CRegistryEudcLink m_registry;  // the printer logs no switch
  CLinkJournal m_journal;
  CTemporaryLink m_link{m_registry, &m_journal};  // the print TTE linked to the gaiji display face
  SIZE m_printable{};
};

}  // namespace moji
