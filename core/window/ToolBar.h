// CToolBar: a flat toolbar control with tooltips, built from a TOOLBAR resource (button
// order, image size) and the bitmap of the same id (one image per button, left to right).
// Tooltips and status prompts come from the owning frame (CFrameWindow answers
// TTN_GETDISPINFO and TBN_HOTITEMCHANGE with the command's prompt string).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <vector>

#include "Window.h"

namespace moji {

class CToolBar : public CWindow {
 public:
  static constexpr UINT kDefaultId = 0xE800;

  ~CToolBar() override;

  // Creates the control at the top of `parent` and adds the buttons of TOOLBAR resource
  // `resourceId` with the images of bitmap `resourceId`. False when either is missing.
  bool Create(HWND parent, UINT resourceId, UINT controlId = kDefaultId);

  // Replaces the images by an image list of imageSize x imageSize images made from bitmap
  // `bitmapId`, `maskColor` (0x00BBGGRR) being transparent (16-bit colour with mask).
  bool SetImageList(UINT bitmapId, int imageSize, COLORREF maskColor);

  // SetImageList when the display shows more than 256 colours (BITSPIXEL of an information
  // context for "DISPLAY" above 8); otherwise the images of the toolbar's own bitmap stay.
  bool SetColourImageList(UINT bitmapId, int imageSize, COLORREF maskColor);

  // SetColourImageList with the image set for the toolbar's display: `bitmapIds` holds the
  // images of each size of kToolbarImageSizes (DisplayScale.h), and ToolbarImageSizeForDpi of
  // the window's dpi picks one. The sets are kept for UpdateImagesForDpi.
  bool SetColourImageSets(const std::array<UINT, 3>& bitmapIds, COLORREF maskColor);
  // After a change of the display's scale: the set for the new dpi.
  bool UpdateImagesForDpi();

  // Command id of each button in order; 0 for a separator.
  const std::vector<UINT>& Items() const { return m_items; }
  bool IsButtonEnabled(UINT id) const { return Send(TB_ISBUTTONENABLED, id) != 0; }
  int Height() const;
  // Sizes the control to its parent's width (TB_AUTOSIZE).
  void AutoSize() const { Send(TB_AUTOSIZE); }

 private:
  std::vector<UINT> m_items;
  HIMAGELIST m_images = nullptr;
  std::array<UINT, 3> m_imageSets{};
  COLORREF m_maskColor = 0;
};

}  // namespace moji
