#include "BitmapPict.h"

#include <algorithm>

#include "Dpi.h"

namespace moji {

CBitmapPict::~CBitmapPict() {
  if (m_bitmap) ::DeleteObject(m_bitmap);
}

SIZE CBitmapPict::SetBitmap(HBITMAP bitmap) {
  if (m_bitmap) ::DeleteObject(m_bitmap);
  m_bitmap = nullptr;
  m_size = SIZE{};
  BITMAP info{};
  if (bitmap && ::GetObjectW(bitmap, sizeof info, &info) && info.bmWidth > 0 && info.bmHeight != 0) {
    const int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    HDC screen = ::GetDC(Handle());
    HDC source = ::CreateCompatibleDC(screen);
    HDC target = ::CreateCompatibleDC(screen);
    HBITMAP copy = ::CreateBitmap(width, height, 1, 1, nullptr);
    if (source && target && copy) {
      HGDIOBJ oldSource = ::SelectObject(source, bitmap);
      HGDIOBJ oldTarget = ::SelectObject(target, copy);
      const bool copied = ::BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
      ::SelectObject(source, oldSource);
      ::SelectObject(target, oldTarget);
      if (copied) {
        m_bitmap = copy;
        m_size = SIZE{width, height};
        copy = nullptr;
      }
    }
    if (copy) ::DeleteObject(copy);
    if (target) ::DeleteDC(target);
    if (source) ::DeleteDC(source);
    ::ReleaseDC(Handle(), screen);
  }
  if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
  return m_size;
}

void CBitmapPict::Draw(HDC dc, const RECT& client) const {
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  if (!m_bitmap) return;
  HDC memory = ::CreateCompatibleDC(dc);
  if (!memory) return;
  HGDIOBJ old = ::SelectObject(memory, m_bitmap);
  // A monochrome source takes the text colour for 0 bits (ink) and the background for 1.
  const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
  const int dpi = WindowDpi(Handle());
  int x = client.left + ScaleToDpi(kLeft, dpi), y = client.top + ScaleToDpi(kTop, dpi);
  const int room = m_centred ? std::min(client.right - client.left, client.bottom - client.top)
                             : std::min(client.right - x, client.bottom - y);
  const int shown = kShownSize * GlyphScaleToFit(dpi, kShownSize, room);
  if (m_centred) {
    x = client.left + (client.right - client.left - shown) / 2;
    y = client.top + (client.bottom - client.top - shown) / 2;
  }
  if (m_size.cx == shown && m_size.cy == shown) {
    ::BitBlt(dc, x, y, shown, shown, memory, 0, 0, SRCCOPY);
  } else {
    const int oldMode = ::SetStretchBltMode(dc, m_size.cx < shown ? COLORONCOLOR : BLACKONWHITE);
    ::StretchBlt(dc, x, y, shown, shown, memory, 0, 0, m_size.cx, m_size.cy, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
  }
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

bool CBitmapPict::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(Handle(), &paint);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  Draw(dc, client);
  ::EndPaint(Handle(), &paint);
  return true;
}

LRESULT CBitmapPict::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return TRUE;  // painting fills everything
  if (msg == WM_PRINTCLIENT) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    Draw(reinterpret_cast<HDC>(wParam), client);
    return 0;
  }
  return CWindow::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
