#include "MainFrame.h"

#include "Dpi.h"
#include "GlyphsheetApp.h"
#include "Message.h"
#include "MojisheetRes.h"
#include "Settings.h"

namespace moji {

CMainFrame::CMainFrame(CGlyphsheetApp& app) : m_app(app) {}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create() {
  const Placement stored = m_app.Settings().ReadPlacement(kSectionPrint, kKeyCodePrintWindowPos);
  // The size is set by FitToForm once the view exists.
  return CFrameWindow::Create(IDR_MAINFRAME, AppName(), WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, stored.left,
                              stored.top, 400, 200);
}

bool CMainFrame::OnCreate(CREATESTRUCTW*) {
  if (!CreateToolBar(IDR_MAINFRAME)) return false;
  ToolBar().SetColourImageSets({IDB_TOOLBAR24, IDB_TOOLBAR36, IDB_TOOLBAR48}, TOOLBAR24_MASK_COLOR);
  return true;
}

void CMainFrame::FitToForm(SIZE formSize) { m_size = FitFrameToForm(formSize); }

void CMainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
  CFrameWindow::OnDpiChanged(dpi, suggested);
  m_app.View().RescaleForDpi();
  m_size = RefitFrameToForm(m_app.View().FormSize(), suggested);
}

std::wstring CMainFrame::PreviewHeightKey() const { return std::wstring(kKeyCodePrintWindowPos) + L"_PreviewHeight"; }

void CMainFrame::ShowPreview() {
  if (m_preview && m_preview->IsOpen()) return;
  CGlyphsheetView& view = m_app.View();
  m_preview = std::make_unique<CPrintPreviewWnd>(
      m_app.Printing(), view,
      [&view](HDC dc, HDC printer, POINT origin, SIZE viewport, int page) {
        view.PaintPage(dc, printer, origin, viewport, page);
      },
      [this] { ::PostMessageW(Handle(), WM_COMMAND, ID_FILE_PRINT, 0); }, [this] { ShowFrameContents(true); });
  // The range bar stays while the job prepares, so that its messages appear over it.
  if (m_preview->Open(Handle())) ShowFrameContents(false);
}

void CMainFrame::EndPreview() {
  if (m_preview && m_preview->IsOpen()) m_preview->Close();
}

void CMainFrame::SavePlacement() {
  m_app.Settings().SaveWindowPlacement(Handle(), kSectionPrint, kKeyCodePrintWindowPos);
}

void CMainFrame::OnEndSession() { m_app.EndSession(); }

void CMainFrame::ShowFrameContents(bool show) {
  ::ShowWindow(ToolBar().Handle(), show ? SW_SHOW : SW_HIDE);
  if (CWindow* view = View()) ::ShowWindow(view->Handle(), show ? SW_SHOW : SW_HIDE);
  if (show) {
    RecalcLayout();
    if (CWindow* view = View()) ::SetFocus(view->Handle());
  }
}

void CMainFrame::OnPreviewBegin() {
  m_inPreview = true;
  const int stored = m_app.Settings().ReadInt(kSectionPrint, PreviewHeightKey().c_str(), -1);
  RECT rect{};
  ::GetWindowRect(Handle(), &rect);
  ::SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, stored == -1 ? ScaleForWindow(Handle(), kDefaultPreviewHeight) : stored,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::OnPreviewEnd() {
  if (!::IsIconic(Handle()) && !::IsZoomed(Handle())) {
    RECT rect{};
    ::GetWindowRect(Handle(), &rect);
    const int height = rect.bottom - rect.top;
    if (m_app.Settings().ReadInt(kSectionPrint, PreviewHeightKey().c_str(), -1) != height)
      m_app.Settings().WriteInt(kSectionPrint, PreviewHeightKey().c_str(), height);
    m_inPreview = false;
    ::SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, m_size.minimumHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_inPreview = false;
}

bool CMainFrame::OnClose() {
  SavePlacement();
  if (m_preview && m_preview->IsOpen()) {
    m_preview->Close();
    return true;  // only the preview ends
  }
  return false;  // the default processing destroys the window
}

void CMainFrame::OnSize(UINT type, int width, int height) {
  CFrameWindow::OnSize(type, width, height);
  if (m_preview && m_preview->IsOpen()) m_preview->FitToFrame();
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETMINMAXINFO) {
    // Outside preview the size is fixed; during preview the frame can only grow taller.
    LimitTracking(*reinterpret_cast<MINMAXINFO*>(lParam), m_size, !m_inPreview);
    return 0;
  }
  return CFrameWindow::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
