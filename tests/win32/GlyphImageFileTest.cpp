// Glyph images written through WIC and decoded again through WIC give the glyph's bits and size.
#include "GlyphImageFile.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <wincodec.h>

#include <filesystem>

#include "EufFile.h"
#include "GaijiCode.h"
#include "TestPaths.h"

namespace moji {
namespace {

struct Decoded {
  UINT width = 0;
  UINT height = 0;
  std::vector<std::uint8_t> bits;  // rows of whole 16-bit words, 1 = white; empty when unread
  GUID container{};
  GUID pixelFormat{};
};

Decoded DecodeImage(const std::filesystem::path& path) {
  Decoded out;
  IWICImagingFactory* factory = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
    return out;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  if (SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   &decoder)) &&
      SUCCEEDED(decoder->GetContainerFormat(&out.container)) && SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(frame->GetSize(&out.width, &out.height)) && SUCCEEDED(frame->GetPixelFormat(&out.pixelFormat)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                      WICBitmapPaletteTypeCustom))) {
    // Through 32-bit colour, which every decoder converts to, packed again: white pixels set.
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(out.width) * out.height * 4);
    const UINT stride = (out.width + 15) / 16 * 2;
    if (SUCCEEDED(converter->CopyPixels(nullptr, out.width * 4, static_cast<UINT>(pixels.size()), pixels.data()))) {
      out.bits.assign(static_cast<std::size_t>(stride) * out.height, 0);
      for (UINT y = 0; y < out.height; ++y)
        for (UINT x = 0; x < out.width; ++x)
          if (pixels[(static_cast<std::size_t>(y) * out.width + x) * 4 + 2] > 127)
            out.bits[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  for (IUnknown* p : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame), static_cast<IUnknown*>(decoder),
                      static_cast<IUnknown*>(factory)})
    if (p) p->Release();
  return out;
}

class GlyphImageFileTest : public ::testing::Test {
 protected:
  void SetUp() override { m_com = SUCCEEDED(::CoInitialize(nullptr)); }
  void TearDown() override {
    if (m_com) ::CoUninitialize();
  }
  bool m_com = false;
};

TEST_F(GlyphImageFileTest, ReadBackGivesTheGlyphsBitsAndSize) {
  CEufFile euf;
  ASSERT_EQ(euf.Open(test::Template("Sample/SampleGaiji.euf"), CBinaryFile::Access::Read), 0);
  EufGlyph glyph;
  int code = kGaijiFirst;
  while (code <= kGaijiLast && !euf.ReadGlyph(code, glyph)) ++code;
  ASSERT_LE(code, kGaijiLast);
  // A narrow glyph of 16 x 3 as well: rows of one word, a size unlike the font's.
  const std::vector<std::uint8_t> narrow{0x80, 0x01, 0xFF, 0xFF, 0x00, 0x00};
  struct Case {
    const char* name;
    GlyphImageFormat format;
    const wchar_t* file;
    GUID container;
    int width, height;
    const std::vector<std::uint8_t>& bits;
  } const cases[] = {
      {"PNG of the font's glyph", GlyphImageFormat::Png, L"glyph.png", GUID_ContainerFormatPng, glyph.width, glyph.height, glyph.bits},
      {"BMP of the font's glyph", GlyphImageFormat::Bmp, L"glyph.bmp", GUID_ContainerFormatBmp, glyph.width, glyph.height, glyph.bits},
      {"PNG 16 x 3", GlyphImageFormat::Png, L"narrow.png", GUID_ContainerFormatPng, 16, 3, narrow},
      {"BMP 16 x 3", GlyphImageFormat::Bmp, L"narrow.bmp", GUID_ContainerFormatBmp, 16, 3, narrow},
  };
  const auto folder = std::filesystem::temp_directory_path() / "moji_glyph_image";
  std::filesystem::create_directories(folder);
  for (const Case& c : cases) {
    const auto path = folder / c.file;
    ASSERT_TRUE(SaveGlyphImage(path, c.bits, c.width, c.height, c.format)) << c.name;
    const Decoded decoded = DecodeImage(path);
    EXPECT_TRUE(IsEqualGUID(decoded.container, c.container)) << c.name;
    EXPECT_TRUE(IsEqualGUID(decoded.pixelFormat, GUID_WICPixelFormatBlackWhite) ||
                IsEqualGUID(decoded.pixelFormat, GUID_WICPixelFormat1bppIndexed))
        << c.name << ": not 1 bit per pixel";
    EXPECT_EQ(decoded.width, static_cast<UINT>(c.width)) << c.name;
    EXPECT_EQ(decoded.height, static_cast<UINT>(c.height)) << c.name;
    EXPECT_EQ(decoded.bits, c.bits) << c.name;
  }
  // Too few bits for the size: nothing is written.
  EXPECT_FALSE(SaveGlyphImage(folder / L"short.png", narrow, 16, 4, GlyphImageFormat::Png));
  EXPECT_FALSE(std::filesystem::exists(folder / L"short.png"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace moji
