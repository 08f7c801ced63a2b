#include "GlyphviewView.h"

#include <algorithm>

#include "BrowserMessages.h"
#include "Dpi.h"
#include "GaijiGrid.h"
#include "GlyphviewApp.h"

namespace moji {
namespace {

// The rectangle of a child window in its parent's client coordinates.
RECT ChildRect(HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void RepaintNow(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

}  // namespace

CGlyphviewView::CGlyphviewView(CGlyphviewApp& app) : CFormView(IDD_GLYPHVIEW_FORM), m_app(app) {}

CGlyphviewView::~CGlyphviewView() {
  // The field must not keep a font that is about to be freed.
  if (HWND edit = StatusEdit(); edit && ::IsWindow(edit)) ::SendMessageW(edit, WM_SETFONT, 0, FALSE);
  if (m_statusFont) ::DeleteObject(m_statusFont);
}

SIZE CGlyphviewView::FitFormToGrid() {
  SIZE form = FormSize();
  HWND list = GaijiListWindow();
  const RECT grid = ChildRect(list);
  RECT client{};
  ::GetClientRect(list, &client);
  // The list box is still empty, so its scroll bar is not shown yet.
  const int outside = (grid.right - grid.left) - (client.right - client.left);
  const int dpi = WindowDpi(list);
  const int wider = GridMetricsForDpi(dpi).RowWidth() + SystemMetricForDpi(SM_CXVSCROLL, dpi) + outside -
                    (grid.right - grid.left);
  if (wider <= 0) return form;
  for (HWND control : {list, StatusEdit()}) {
    const RECT rect = ChildRect(control);
    ::SetWindowPos(control, nullptr, 0, 0, rect.right - rect.left + wider, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  form.cx += wider;
  return form;
}

void CGlyphviewView::OnInitialUpdate() {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  m_clientSize = SIZE{client.right - client.left, client.bottom - client.top};
  m_laidOut = true;

  OnDpiChanged(WindowDpi(Handle()));
  AttachGaijiList();
}

void CGlyphviewView::OnDpiChanged(int dpi) {
  HFONT old = m_statusFont;
  m_statusFont = ::CreateFontW(-::MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                               L"ＭＳ ゴシック");
  if (!m_statusFont) {
    m_statusFont = old;  // the field keeps the font it has
    return;
  }
  ::SendMessageW(StatusEdit(), WM_SETFONT, reinterpret_cast<WPARAM>(m_statusFont), TRUE);
  if (old) ::DeleteObject(old);
}

void CGlyphviewView::AttachGaijiList() {
  m_grid.SubclassDlgItem(IDC_GAIJI_LIST, Handle());
  m_grid.SetSizeMovePredicate([this] { return m_app.MainFrame().IsSizingOrMoving(); });
  m_grid.SetGlyphEditorRequest([this](const std::u16string& hex) { m_app.Document().EditGlyph(hex); });
  m_grid.SetYomiStore(&m_app.Yomi());
  m_grid.SetFileDropRequest([this](const std::filesystem::path& path) {
    m_app.SetStartTarget(path);  // opened like a file named on the command line
    ::PostMessageW(Handle(), WM_APP_OPEN_START_TARGET, 0, 0);
  });
  m_grid.InitRows(StatusEdit());
}

void CGlyphviewView::OnSize(UINT, int width, int height) {
  if (!m_laidOut) return;  // the controls still have their template places
  const int dx = width - m_clientSize.cx, dy = height - m_clientSize.cy;
  m_clientSize = SIZE{width, height};
  if (dx == 0 && dy == 0) return;

  HWND edit = StatusEdit();
  const RECT field = ChildRect(edit);
  ::SetWindowPos(edit, nullptr, field.left + dx, field.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RepaintNow(edit);

  HWND list = GaijiListWindow();
  const RECT grid = ChildRect(list);
  ::SetWindowPos(list, nullptr, 0, 0, std::max(0L, grid.right - grid.left + dx), std::max(0L, grid.bottom - grid.top + dy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RepaintNow(list);
}

bool CGlyphviewView::PreTranslateMessage(MSG& msg) {
  if (msg.message == WM_APP_OPEN_START_TARGET && msg.hwnd == Handle()) {
    const std::filesystem::path target = m_app.StartTarget();  // a copy: opening may set a new target
    m_app.Document().Load(target);
    return true;
  }
  return CFormView::PreTranslateMessage(msg);
}

}  // namespace moji
