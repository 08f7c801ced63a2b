#include "GlyphImageFile.h"

#include <windows.h>
#include <initguid.h>
#include <wincodec.h>

#include "FileReplace.h"
#include "OleSession.h"

namespace moji {
namespace {

// Owns one COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (m_p) m_p->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return m_p; }
  T* get() const { return m_p; }
  T** put() { return &m_p; }

 private:
  T* m_p = nullptr;
};

std::size_t GlyphStride(int width) { return static_cast<std::size_t>((width + 15) / 16) * 2; }

// Black (0) and white (1): the palette of the indexed formats, so that a set bit stays white.
bool SetBlackWhitePalette(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame) {
  ComPtr<IWICPalette> palette;
  if (FAILED(factory->CreatePalette(palette.put()))) return false;
  WICColor colors[] = {0xFF000000, 0xFFFFFFFF};
  return SUCCEEDED(palette->InitializeCustom(colors, 2)) && SUCCEEDED(frame->SetPalette(palette.get()));
}

// The bytes written to `stream` so far.
std::vector<std::uint8_t> StreamBytes(IStream* stream) {
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > 0x7FFFFFFF) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
  const LARGE_INTEGER start{};
  ULONG read = 0;
  if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
      FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
    return {};
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodeGlyphImage(const std::vector<std::uint8_t>& bits, int width, int height,
                                           GlyphImageFormat format) {
  if (width <= 0 || height <= 0 || bits.size() / GlyphStride(width) < static_cast<std::size_t>(height)) return {};
  ComPtr<IWICImagingFactory> factory;
  if (!EnsureOle()) return {};
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
    return {};
  ComPtr<IStream> stream;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return {};
  ComPtr<IWICBitmapEncoder> encoder;
  const GUID& container = format == GlyphImageFormat::Png ? GUID_ContainerFormatPng : GUID_ContainerFormatBmp;
  if (FAILED(factory->CreateEncoder(container, nullptr, encoder.put())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
    return {};
  ComPtr<IWICBitmapFrameEncode> frame;
  if (FAILED(encoder->CreateNewFrame(frame.put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))))
    return {};
  // PNG as a black-and-white image; BMP, which has no such format, with a two-colour palette.
  const bool png = format == GlyphImageFormat::Png;
  const GUID wanted = png ? GUID_WICPixelFormatBlackWhite : GUID_WICPixelFormat1bppIndexed;
  GUID pixelFormat = wanted;
  if (FAILED(frame->SetPixelFormat(&pixelFormat)) || !IsEqualGUID(pixelFormat, wanted)) return {};
  if (!png && !SetBlackWhitePalette(factory.get(), frame.get())) return {};
  const UINT stride = static_cast<UINT>(GlyphStride(width));
  std::vector<std::uint8_t> rows(bits.begin(), bits.begin() + static_cast<std::ptrdiff_t>(stride * height));
  if (FAILED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(rows.size()), rows.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit()))
    return {};
  return StreamBytes(stream.get());
}

bool SaveGlyphImage(const std::filesystem::path& target, const std::vector<std::uint8_t>& bits, int width, int height,
                    GlyphImageFormat format) {
  const std::vector<std::uint8_t> image = EncodeGlyphImage(bits, width, height, format);
  return !image.empty() && WriteFileAtomically(target, image);
}

}  // namespace moji
