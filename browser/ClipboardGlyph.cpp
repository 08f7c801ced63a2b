#include "ClipboardGlyph.h"

#include <span>

#include "GlyphkeeperRecord.h"

namespace moji {

namespace {

// The clipboard, opened without an owner window, for the lifetime of the object.
class CClipboardLock {
 public:
  CClipboardLock() : m_open(::OpenClipboard(nullptr) != FALSE) {}
  ~CClipboardLock() {
    if (m_open) ::CloseClipboard();
  }
  CClipboardLock(const CClipboardLock&) = delete;
  CClipboardLock& operator=(const CClipboardLock&) = delete;
  explicit operator bool() const { return m_open; }

 private:
  bool m_open;
};

// Two memory DCs compatible with the screen, `source` holding `from` and `target` a new
// 1-bit bitmap of width x height; the result is the target bitmap, or null.
HBITMAP CopyToMonochrome(HBITMAP from, int width, int height, bool stretch) {
  const SIZE size = BitmapSize(from);
  if (size.cx <= 0 || size.cy <= 0 || width <= 0 || height <= 0) return nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC source = ::CreateCompatibleDC(screen);
  HDC target = ::CreateCompatibleDC(screen);
  HBITMAP result = ::CreateBitmap(width, height, 1, 1, nullptr);
  bool copied = false;
  if (source && target && result) {
    // A bitmap that cannot be selected (one selected into another DC, or not a bitmap)
    // would leave the DC's stock 1 x 1 bitmap as the source: a blank glyph, not a read.
    auto selected = [](HGDIOBJ old) { return old != nullptr && old != HGDI_ERROR; };
    HGDIOBJ oldSource = ::SelectObject(source, from);
    HGDIOBJ oldTarget = ::SelectObject(target, result);
    // Colour to monochrome: the source DC's background colour (white) becomes 1.
    if (selected(oldSource) && selected(oldTarget))
      copied = stretch && (size.cx != width || size.cy != height)
                   ? ::StretchBlt(target, 0, 0, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY) != FALSE
                   : ::BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
    if (selected(oldSource)) ::SelectObject(source, oldSource);
    if (selected(oldTarget)) ::SelectObject(target, oldTarget);
  }
  if (!copied && result) {
    ::DeleteObject(result);
    result = nullptr;
  }
  if (target) ::DeleteDC(target);
  if (source) ::DeleteDC(source);
  ::ReleaseDC(nullptr, screen);
  return result;
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info)) return SIZE{};
  return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

HBITMAP CreateGlyphBitmap(int width, int height, const std::uint8_t* bits) {
  if (width <= 0 || height <= 0 || !bits) return nullptr;
  return ::CreateBitmap(width, height, 1, 1, bits);
}

UINT ClipboardGlyphFormat(UINT glyphkeeperFormat) {
  CClipboardLock clipboard;
  if (!clipboard) return 0;
  for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format))
    if (format == CF_BITMAP || (glyphkeeperFormat != 0 && format == glyphkeeperFormat)) return format;
  return 0;
}

bool ReadClipboardGlyph(UINT format, HBITMAP* bitmap, std::wstring* reading, int* radical, int* strokes) {
  if (reading) reading->clear();
  if (radical) *radical = -1;
  if (strokes) *strokes = -1;
  if (!bitmap) return false;
  CClipboardLock clipboard;
  if (!clipboard) return false;
  HANDLE data = ::GetClipboardData(format);
  if (!data) return false;

  if (format == CF_BITMAP) {
    const SIZE size = BitmapSize(static_cast<HBITMAP>(data));
    *bitmap = CopyToMonochrome(static_cast<HBITMAP>(data), size.cx, size.cy, false);
    return *bitmap != nullptr;
  }

  // A record of another program: untrusted, parsed only inside the block it came in.
  const SIZE_T blockSize = ::GlobalSize(data);
  const auto* bytes = blockSize > glyphkeeper::kHeaderSize ? static_cast<const std::uint8_t*>(::GlobalLock(data)) : nullptr;
  bool read = false;
  if (bytes) {
    const auto record = ParseGlyphkeeperRecord(std::span<const std::uint8_t>(bytes, blockSize), reading != nullptr);
    if (record) {
      if (HBITMAP made = ::CreateBitmap(record->size, record->size, 1, 1, nullptr)) {
        ::SetBitmapBits(made, static_cast<DWORD>(record->bits.size()), record->bits.data());
        *bitmap = made;
        if (reading) reading->assign(record->reading.begin(), record->reading.end());
        if (radical) *radical = record->radical;
        if (strokes) *strokes = record->strokes;
        read = true;
      }
    }
    ::GlobalUnlock(data);
  }
  if (!read) ::MessageBeep(0);
  return read;
}

GlyphPattern NormalizeToPattern(HBITMAP bitmap, int width, int height) {
  GlyphPattern pattern{width, height, {}};
  HBITMAP normal = CopyToMonochrome(bitmap, width, height, true);
  if (!normal) return pattern;
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) / 8;
  // The whole device-dependent bitmap (rows padded to 16 bits), of which the first bytes count.
  const std::size_t stride = (static_cast<std::size_t>(width) + 15) / 16 * 2;
  std::vector<std::uint8_t> all(stride * static_cast<std::size_t>(height));
  if (::GetBitmapBits(normal, static_cast<LONG>(all.size()), all.data()) > 0) {
    all.resize(bytes);
    pattern.bits = std::move(all);
  }
  ::DeleteObject(normal);
  return pattern;
}

}  // namespace moji
