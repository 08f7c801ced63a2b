// CBitmapButton: an owner-drawn push button (BS_OWNERDRAW in the dialog template) that shows
// one of four bitmaps of the program's resources: up, down (pressed), focused and disabled.
// SizeToContent makes the button as large as the up bitmap.
#pragma once

#include <windows.h>

#include "Window.h"

namespace moji {

class CBitmapButton : public CWindow {
 public:
  enum class Face { Up, Down, Focused, Disabled };

  ~CBitmapButton() override;

  // Loads the bitmaps; a missing down, focused or disabled bitmap shows the up one.
  // False when the up bitmap cannot be loaded (the button then draws a plain face).
  bool LoadBitmaps(UINT up, UINT down, UINT focused, UINT disabled);
  void SizeToContent();

  // The bitmap shown for the owner-draw state bits (ODS_...).
  static Face FaceOf(UINT itemState);
  HBITMAP Bitmap(Face face) const;

 protected:
  bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Draw(const DRAWITEMSTRUCT& item) const;
  void Free();

  HBITMAP m_bitmaps[4] = {};
};

}  // namespace moji
