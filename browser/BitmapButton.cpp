#include "BitmapButton.h"

namespace moji {

CBitmapButton::~CBitmapButton() { Free(); }

void CBitmapButton::Free() {
  for (HBITMAP& bitmap : m_bitmaps) {
    if (bitmap) ::DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

bool CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focused, UINT disabled) {
  Free();
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const UINT ids[4] = {up, down, focused, disabled};
  for (int i = 0; i < 4; ++i)
    if (ids[i]) m_bitmaps[i] = ::LoadBitmapW(instance, MAKEINTRESOURCEW(ids[i]));
  return m_bitmaps[0] != nullptr;
}

void CBitmapButton::SizeToContent() {
  BITMAP info{};
  if (!Handle() || !m_bitmaps[0] || !::GetObjectW(m_bitmaps[0], sizeof info, &info)) return;
  ::SetWindowPos(Handle(), nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CBitmapButton::Face CBitmapButton::FaceOf(UINT itemState) {
  if (itemState & ODS_DISABLED) return Face::Disabled;
  if (itemState & ODS_SELECTED) return Face::Down;
  if (itemState & ODS_FOCUS) return Face::Focused;
  return Face::Up;
}

HBITMAP CBitmapButton::Bitmap(Face face) const {
  HBITMAP bitmap = m_bitmaps[static_cast<int>(face)];
  return bitmap ? bitmap : m_bitmaps[0];
}

void CBitmapButton::Draw(const DRAWITEMSTRUCT& item) const {
  HBITMAP bitmap = Bitmap(FaceOf(item.itemState));
  RECT rect = item.rcItem;
  if (!bitmap) {
    ::DrawFrameControl(item.hDC, &rect, DFC_BUTTON,
                       DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
    return;
  }
  HDC memory = ::CreateCompatibleDC(item.hDC);
  if (!memory) return;
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  ::StretchBlt(item.hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

bool CBitmapButton::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  if (msg != WM_DRAWITEM) return false;
  Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  result = TRUE;
  return true;
}

}  // namespace moji
