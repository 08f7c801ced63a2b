// CBitmapPict: a static control (subclassed from a dialog template) that shows one
// monochrome glyph bitmap at 64 x 64 pixels, 9 pixels from the left and 6 from the top of
// its client area, on the window colour: copied 1:1 when it is 64 x 64, stretched otherwise.
// On a display of a larger scale the glyph is drawn at the whole-number scale of its dpi
// (each bit a square), as far as the control has room for it, and the margins grow with it.
#pragma once

#include "Window.h"

namespace moji {

class CBitmapPict : public CWindow {
 public:
  static constexpr int kShownSize = 64;
  static constexpr int kLeft = 9;
  static constexpr int kTop = 6;

  ~CBitmapPict() override;

  // Keeps a monochrome copy of `bitmap` (which stays the caller's) and answers its size;
  // {0, 0} and no picture when `bitmap` is null or cannot be copied.
  SIZE SetBitmap(HBITMAP bitmap);
  HBITMAP Bitmap() const { return m_bitmap; }
  // Draws the picture in the middle of the control instead of at (kLeft, kTop).
  void SetCentred(bool centred) { m_centred = centred; }

  // Paints the control's client area `client` into `dc`.
  void Draw(HDC dc, const RECT& client) const;

 protected:
  bool OnPaint() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HBITMAP m_bitmap = nullptr;
  SIZE m_size{};
  bool m_centred = false;
};

}  // namespace moji
