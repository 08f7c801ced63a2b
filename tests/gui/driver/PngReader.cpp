#include "PngReader.h"

#include <wincodec.h>

#include <initializer_list>

namespace moji::gui {

RgbImage ReadPng(const std::filesystem::path& path) {
  RgbImage image;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICBitmapSource* converted = nullptr;
  UINT w = 0, h = 0;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, &converted)) &&
      SUCCEEDED(converted->GetSize(&w, &h))) {
    std::vector<BYTE> bgra(static_cast<std::size_t>(w) * h * 4);
    if (SUCCEEDED(converted->CopyPixels(nullptr, w * 4, static_cast<UINT>(bgra.size()), bgra.data()))) {
      image.width = static_cast<int>(w);
      image.height = static_cast<int>(h);
      for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i) {
        image.pixels.insert(image.pixels.end(), {bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]});
      }
    }
  }
  for (IUnknown* p : std::initializer_list<IUnknown*>{converted, frame, decoder, factory}) {
    if (p) p->Release();
  }
  return image;
}

}  // namespace moji::gui
