// CGlyphDataSource: the OLE data source of a glyph dragged out of the grid. It offers one
// format only, CF_BITMAP on a GDI-object medium (each GetData hands out a copy of the
// bitmap, which the receiver releases), and acts as its own drop source: the drag drops
// when the left button goes up and is cancelled by Escape.
//
//   CGlyphDataSource* source = new CGlyphDataSource(bitmap);   // reference count 1
//   if (DragBegins(screenPoint)) effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
//   source->Release();                                          // frees itself and the bitmap
#pragma once

#include <ole2.h>
#include <windows.h>

namespace moji {

// The platform's rule for a press of the left button at `screen` (just received): true once
// the pointer leaves the drag rectangle (SM_CXDRAG x SM_CYDRAG around the point) or the
// button stays down for the drag delay; false when it is released before (a click). The
// release stays in the queue for the window under the pointer.
bool DragBegins(POINT screen);

class CGlyphDataSource final : public IDataObject, public IDropSource {
 public:
  // Takes ownership of `bitmap`.
  explicit CGlyphDataSource(HBITMAP bitmap) : m_bitmap(bitmap) {}
  CGlyphDataSource(const CGlyphDataSource&) = delete;
  CGlyphDataSource& operator=(const CGlyphDataSource&) = delete;

  // Runs the modal drag; the effect the target chose (DROPEFFECT_NONE when cancelled,
  // dropped nowhere or when the drag could not start).
  DWORD DoDragDrop(DWORD allowedEffects);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDataObject
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  // IDropSource
  STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  ~CGlyphDataSource();
  static FORMATETC BitmapFormat() { return FORMATETC{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI}; }

  LONG m_references = 1;
  HBITMAP m_bitmap;
};

}  // namespace moji
