#include "GlyphDataSource.h"

#include <shlobj.h>

#include "OleSession.h"

namespace moji {

bool DragBegins(POINT screen) {
  if (!(::GetKeyState(VK_LBUTTON) & 0x8000)) return false;  // no button held (a posted press)
  const int cx = ::GetSystemMetrics(SM_CXDRAG), cy = ::GetSystemMetrics(SM_CYDRAG);
  const RECT still{screen.x - cx, screen.y - cy, screen.x + cx + 1, screen.y + cy + 1};
  const DWORD delay = static_cast<DWORD>(::GetProfileIntW(L"windows", L"DragDelay", DD_DEFDRAGDELAY));
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE)) {
      if (msg.message != WM_MOUSEMOVE) return false;  // release or another button: a click
      ::PeekMessageW(&msg, msg.hwnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
      if (!::PtInRect(&still, msg.pt)) return true;
    }
    if (!(::GetKeyState(VK_LBUTTON) & 0x8000)) return false;
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= delay) return true;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, delay - elapsed, QS_MOUSE);
  }
}

CGlyphDataSource::~CGlyphDataSource() {
  if (m_bitmap) ::DeleteObject(m_bitmap);
}

DWORD CGlyphDataSource::DoDragDrop(DWORD allowedEffects) {
  DWORD effect = DROPEFFECT_NONE;
  if (!EnsureOle()) return effect;
  const HRESULT result = ::DoDragDrop(this, this, allowedEffects, &effect);
  return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

STDMETHODIMP CGlyphDataSource::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDataObject) {
    *object = static_cast<IDataObject*>(this);
  } else if (iid == IID_IDropSource) {
    *object = static_cast<IDropSource*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CGlyphDataSource::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_references)); }

STDMETHODIMP_(ULONG) CGlyphDataSource::Release() {
  const LONG left = ::InterlockedDecrement(&m_references);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP CGlyphDataSource::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  if (format->cfFormat != CF_BITMAP) return DV_E_FORMATETC;
  if (!(format->tymed & TYMED_GDI)) return DV_E_TYMED;
  if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  return S_OK;
}

STDMETHODIMP CGlyphDataSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_INVALIDARG;
  if (const HRESULT ok = QueryGetData(format); ok != S_OK) return ok;
  // A copy for the receiver, who releases the medium (and with it the bitmap).
  HANDLE copy = ::OleDuplicateData(m_bitmap, CF_BITMAP, 0);
  if (!copy) return E_OUTOFMEMORY;
  medium->tymed = TYMED_GDI;
  medium->hBitmap = static_cast<HBITMAP>(copy);
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

STDMETHODIMP CGlyphDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out) out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP CGlyphDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_POINTER;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  FORMATETC offered = BitmapFormat();
  return ::SHCreateStdEnumFmtEtc(1, &offered, formats);
}

STDMETHODIMP CGlyphDataSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
  return S_OK;
}

}  // namespace moji
