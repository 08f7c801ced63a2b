#include "TTEMetrics.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "BinaryFile.h"
#include "ByteOrder.h"

namespace moji {

namespace {

// A TrueType font has at most 65,535 glyphs, so loca has at most 65,536 entries.
constexpr std::uint32_t kMaxLocaEntries = 65536;

}  // namespace

void CTTEMetrics::Reset() {
  readStatus = kBadFile;
  definedCount = 0;
  m_header.fill(0);
  m_present.fill(0);
  m_directory.clear();
  m_directory.shrink_to_fit();
}

bool CTTEMetrics::HasGlyph(int code) const {
  return readStatus == kOk && IsUnicodeGaiji(code) && m_present[code - kGaijiFirst] != 0;
}

std::uint32_t CTTEMetrics::FindTable(const char tag[4], std::uint32_t* length) const {
  for (const DirEntry& e : m_directory) {
    if (std::memcmp(e.tag, tag, 4) == 0) {
      if (length) *length = e.length;
      return e.offset;
    }
  }
  if (length) *length = 0;
  return 0;
}

int CTTEMetrics::Read(const std::filesystem::path& path) {
  Reset();
  auto file = CBinaryFile::Open(path, CBinaryFile::Access::Read);
  if (!file) return readStatus;
  return Read(*file);
}

int CTTEMetrics::ReadDirectory(CByteSource& source) {
  if (!source.ReadExact(0, m_header.data(), m_header.size())) return kBadFile;
  static constexpr std::uint8_t kVersion1[] = {0x00, 0x01, 0x00, 0x00};
  if (std::memcmp(m_header.data(), kVersion1, 4) != 0) return kBadFile;
  const std::uint32_t numTables = Be16(&m_header[4]);
  if (numTables == 0) return kBadFile;
  // A directory larger than the file cannot be read whole; check before allocating.
  if (12 + std::uint64_t{numTables} * 16 > source.Size()) return kBadFile;
  std::vector<std::uint8_t> raw(numTables * 16);
  if (!source.ReadExact(12, raw.data(), raw.size())) return kBadFile;
  m_directory.resize(numTables);
  for (std::uint32_t i = 0; i < numTables; ++i) {
    const std::uint8_t* p = &raw[i * 16];
    DirEntry& e = m_directory[i];
    std::memcpy(e.tag, p, 4);
    e.checksum = Be32(p + 4);
    e.offset = Be32(p + 8);
    e.length = Be32(p + 12);
  }
  return kOk;
}

// flags[g] = 1 exactly when glyph g has an outline (loca[g+1] != loca[g]). The table is
// always read as 32-bit offsets; the head table's index format is not consulted.
int CTTEMetrics::ReadLocaFlags(CByteSource& source, std::vector<std::uint8_t>& flags) {
  std::uint32_t length = 0;
  const std::uint32_t offset = FindTable("loca", &length);
  const std::uint32_t n = length / 4;
  if (n == 0) return kNoLoca;
  if (n > kMaxLocaEntries) return kLocaTooLarge;
  if (offset > source.Size()) return kLocaSeek;

  std::vector<std::uint8_t> raw(std::size_t{n} * 4);
  const std::size_t got = source.ReadAt(offset, raw.data(), raw.size());
  const std::uint32_t whole = static_cast<std::uint32_t>(got / 4);
  int status = whole < n ? kLocaShortRead : kOk;

  flags.assign(n, 0);
  std::uint32_t previous = 0xFFFFFFFFu;
  for (std::uint32_t g = 0; g < whole; ++g) {
    const std::uint32_t entry = Be32(&raw[std::size_t{g} * 4]);
    if (entry == previous && g > 0) flags[g - 1] = 0;
    flags[g] = 1;
    previous = entry;
  }
  flags[n - 1] = 0;
  return status;
}

int CTTEMetrics::ReadCmapSegment(CByteSource& source, std::uint16_t& start, std::uint16_t& end,
                                 std::uint16_t& delta) {
  const std::uint32_t cmap = FindTable("cmap");
  std::uint8_t head[12];
  if (!source.ReadExact(cmap, head, sizeof head)) return kCmapHead;
  // numTables low byte, then platform ID and encoding ID low bytes of the first record.
  if (head[3] != 1 || head[5] != 3 || head[7] != 1) return kCmapEncoding;
  const std::uint64_t sub = std::uint64_t{cmap} + Be32(&head[8]);
  if (sub > source.Size()) return kCmapSeek;
  std::uint8_t format[2];
  if (!source.ReadExact(sub, format, 2)) return kCmapFormatRead;
  if (Be16(format) != 4) return kCmapNotFormat4;
  std::uint8_t header[12];
  if (!source.ReadExact(sub + 2, header, sizeof header)) return kFormat4Head;
  if (Be16(&header[4]) / 2 != 2) return kFormat4Segments;
  std::uint8_t arrays[18];  // endCode[2], reservedPad, startCode[2], idDelta[2], idRangeOffset[2]
  if (!source.ReadExact(sub + 14, arrays, sizeof arrays)) return kFormat4Arrays;
  if (Be16(&arrays[14]) != 0) return kFormat4RangeOffset;
  end = Be16(&arrays[0]);
  start = Be16(&arrays[6]);
  delta = Be16(&arrays[10]);
  return kOk;
}

int CTTEMetrics::Read(CByteSource& source) {
  Reset();
  if (ReadDirectory(source) != kOk) {
    Reset();
    return readStatus;
  }
  std::vector<std::uint8_t> flags;
  int status = ReadLocaFlags(source, flags);
  std::uint16_t start = 0, end = 0, delta = 0;
  if (status == kOk) status = ReadCmapSegment(source, start, end, delta);
  if (status == kOk) {
    for (std::uint32_t code = start; code <= end; ++code) {
      if (!IsUnicodeGaiji(static_cast<int>(code))) continue;
      const std::uint32_t glyph = (code + delta) & 0xFFFF;
      if (glyph < flags.size() && flags[glyph]) {
        m_present[code - kGaijiFirst] = 1;
        ++definedCount;
      }
    }
  }
  readStatus = status;
  return readStatus;
}

}  // namespace moji
