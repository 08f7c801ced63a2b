#include "PngWriter.h"

#include <array>
#include <fstream>
#include <system_error>

namespace moji::gui {
namespace {

// Writes a deflate bit stream: bits are packed from the least significant end of each
// byte; Huffman codes go in most significant bit first.
class CBitWriter {
 public:
  explicit CBitWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

  void Bits(std::uint32_t value, int count) {  // value's low bits, least significant first
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Code(std::uint32_t code, int length) {  // a Huffman code, most significant first
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void Flush() {
    if (m_count > 0) m_out.push_back(m_byte);
    m_byte = 0;
    m_count = 0;
  }

 private:
  void Bit(std::uint32_t bit) {
    m_byte |= static_cast<std::uint8_t>(bit << m_count);
    if (++m_count == 8) Flush();
  }
  std::vector<std::uint8_t>& m_out;
  std::uint8_t m_byte = 0;
  int m_count = 0;
};

// Fixed literal/length code of RFC 1951 section 3.2.6.
void PutSymbol(CBitWriter& bits, int symbol) {
  if (symbol < 144) bits.Code(0x30 + symbol, 8);
  else if (symbol < 256) bits.Code(0x190 + symbol - 144, 9);
  else if (symbol < 280) bits.Code(symbol - 256, 7);
  else bits.Code(0xC0 + symbol - 280, 8);
}

// A match of 3..258 bytes at distance 1 (a run of the byte before).
void PutRun(CBitWriter& bits, int length) {
  static constexpr std::array<int, 29> kBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static constexpr std::array<int, 29> kExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  int i = 28;
  while (kBase[i] > length) --i;
  PutSymbol(bits, 257 + i);
  bits.Bits(length - kBase[i], kExtra[i]);
  bits.Code(0, 5);  // distance code 0 = distance 1, no extra bits
}

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> out;
  CBitWriter bits(out);
  bits.Bits(1, 1);  // final block
  bits.Bits(1, 2);  // fixed Huffman codes
  std::size_t i = 0;
  while (i < data.size()) {
    std::size_t run = 0;
    if (i > 0) {
      while (run < 258 && i + run < data.size() && data[i + run] == data[i - 1]) ++run;
    }
    if (run >= 3) {
      PutRun(bits, static_cast<int>(run));
      i += run;
    } else {
      PutSymbol(bits, data[i++]);
    }
  }
  PutSymbol(bits, 256);  // end of block
  bits.Flush();
  return out;
}

// Each row gets the filter that leaves the most zero bytes: flat areas become long runs.
std::vector<std::uint8_t> FilterRows(const RgbImage& image) {
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  std::vector<std::uint8_t> out;
  out.reserve((stride + 1) * image.height);
  std::vector<std::uint8_t> candidate[3];
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.pixels.data() + y * stride;
    const std::uint8_t* above = y > 0 ? row - stride : nullptr;
    int best = 0;
    std::size_t bestZeros = 0;
    for (int filter = 0; filter < 3; ++filter) {
      auto& c = candidate[filter];
      c.resize(stride);
      std::size_t zeros = 0;
      for (std::size_t x = 0; x < stride; ++x) {
        std::uint8_t predictor = 0;
        if (filter == 1 && x >= 3) predictor = row[x - 3];
        if (filter == 2 && above) predictor = above[x];
        c[x] = static_cast<std::uint8_t>(row[x] - predictor);
        zeros += c[x] == 0;
      }
      if (filter == 0 || zeros > bestZeros) {
        best = filter;
        bestZeros = zeros;
      }
    }
    out.push_back(static_cast<std::uint8_t>(best));
    out.insert(out.end(), candidate[best].begin(), candidate[best].end());
  }
  return out;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& png, const char (&type)[5], const std::vector<std::uint8_t>& body) {
  PutU32(png, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), body.begin(), body.end());
  PutU32(png, Crc32(png.data() + start, png.size() - start));
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t previous) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = ~previous;
  for (std::size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return ~c;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t previous) {
  std::uint32_t a = previous & 0xFFFF, b = previous >> 16;
  for (std::size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
  if (!image.IsValid()) return {};
  const std::vector<std::uint8_t> raw = FilterRows(image);

  std::vector<std::uint8_t> header;
  PutU32(header, static_cast<std::uint32_t>(image.width));
  PutU32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace

  std::vector<std::uint8_t> zlib = {0x78, 0x01};  // deflate, 32K window, no dictionary
  const std::vector<std::uint8_t> deflated = Deflate(raw);
  zlib.insert(zlib.end(), deflated.begin(), deflated.end());
  PutU32(zlib, Adler32(raw.data(), raw.size()));

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", {});
  return png;
}

bool WritePng(const std::filesystem::path& path, const RgbImage& image) {
  const std::vector<std::uint8_t> png = EncodePng(image);
  if (png.empty()) return false;
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace moji::gui
