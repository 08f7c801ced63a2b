#include "ToolBar.h"

#include "Dpi.h"
#include "ToolbarResource.h"

namespace moji {
namespace {

std::optional<ToolbarLayout> LoadToolbarResource(HINSTANCE instance, UINT id) {
  HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(241) /* RT_TOOLBAR */);
  if (!found) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(instance, found);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return ParseToolbarResource(static_cast<const std::uint8_t*>(data), ::SizeofResource(instance, found));
}

}  // namespace

CToolBar::~CToolBar() {
  // The control does not own its image list; take it away before it is freed.
  if (m_images) {
    if (IsWindow()) Send(TB_SETIMAGELIST, 0, 0);
    ::ImageList_Destroy(m_images);
  }
}

bool CToolBar::Create(HWND parent, UINT resourceId, UINT controlId) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto layout = LoadToolbarResource(instance, resourceId);
  if (!layout || Handle()) return false;
  HWND hwnd = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                                0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)),
                                instance, nullptr);
  if (!hwnd) return false;
  if (!SubclassWindow(hwnd)) {
    ::DestroyWindow(hwnd);
    return false;
  }
  Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(layout->imageWidth, layout->imageHeight));
  std::vector<TBBUTTON> buttons;
  int image = 0;
  m_items.clear();
  for (std::uint32_t id : layout->items) {
    TBBUTTON button{};
    if (id == 0) {
      button.fsStyle = BTNS_SEP;
    } else {
      button.iBitmap = image++;
      button.idCommand = static_cast<int>(id);
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
    }
    buttons.push_back(button);
    m_items.push_back(id);
  }
  TBADDBITMAP bitmap{instance, resourceId};
  if (Send(TB_ADDBITMAP, static_cast<WPARAM>(image), reinterpret_cast<LPARAM>(&bitmap)) == -1) return false;
  if (!Send(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()))) return false;
  AutoSize();
  return true;
}

bool CToolBar::SetImageList(UINT bitmapId, int imageSize, COLORREF maskColor) {
  if (!Handle() || imageSize <= 0) return false;
  HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return false;
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  HIMAGELIST images = ::ImageList_Create(imageSize, imageSize, ILC_COLOR16 | ILC_MASK,
                                         info.bmWidth / imageSize, 0);
  const bool ok = images && ::ImageList_AddMasked(images, bitmap, maskColor) != -1;
  ::DeleteObject(bitmap);
  if (!ok) {
    if (images) ::ImageList_Destroy(images);
    return false;
  }
  Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  if (m_images) ::ImageList_Destroy(m_images);
  m_images = images;
  ::InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

bool CToolBar::SetColourImageList(UINT bitmapId, int imageSize, COLORREF maskColor) {
  HDC info = ::CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
  if (!info) return false;
  const int bits = ::GetDeviceCaps(info, BITSPIXEL);
  ::DeleteDC(info);
  return bits > 8 && SetImageList(bitmapId, imageSize, maskColor);
}

bool CToolBar::SetColourImageSets(const std::array<UINT, 3>& bitmapIds, COLORREF maskColor) {
  m_imageSets = bitmapIds;
  m_maskColor = maskColor;
  return UpdateImagesForDpi();
}

bool CToolBar::UpdateImagesForDpi() {
  if (!Handle() || !m_imageSets.front()) return false;
  const int size = ToolbarImageSizeForDpi(WindowDpi(Handle()));
  size_t set = 0;
  while (set + 1 < kToolbarImageSizes.size() && kToolbarImageSizes[set] != size) ++set;
  if (!SetColourImageList(m_imageSets[set], size, m_maskColor)) return false;
  Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  AutoSize();
  return true;
}

int CToolBar::Height() const {
  RECT rect{};
  if (!Handle() || !::GetWindowRect(Handle(), &rect)) return 0;
  return rect.bottom - rect.top;
}

}  // namespace moji
