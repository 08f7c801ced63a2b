// Reader of TTE files (TrueType EUDC fonts): which of the 6,400 gaiji codes the font
// really defines. It accepts exactly the shape EUDC fonts have (one cmap subtable 3/1,
// format 4, one segment mapped by a constant delta, 32-bit loca) and reports every other
// shape as a numbered status instead of interpreting it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "ByteSource.h"
#include "GaijiCode.h"

namespace moji {

class CTTEMetrics {
 public:
  // Status numbers of Read (shown to the user as ErrNo).
  enum Status : std::int32_t {
    kOk = 0,
    kBadFile = -1,          // cannot open, not TrueType 1.0, no or broken table directory
    kNoLoca = 10,           // no loca table, or shorter than one entry
    kLocaTooLarge = 11,     // glyph flags cannot be allocated (more entries than a font can have)
    kLocaSeek = 12,         // loca lies outside the file
    kLocaShortRead = 13,    // a loca entry cannot be read whole
    kCmapHead = 20,         // the first 12 bytes of cmap cannot be read
    kCmapEncoding = 21,     // not exactly one encoding record 3/1
    kCmapSeek = 22,         // the subtable lies outside the file
    kCmapFormatRead = 23,   // the subtable's format cannot be read
    kCmapNotFormat4 = 24,
    kFormat4Head = 30,      // the format 4 header cannot be read
    kFormat4Segments = 31,  // not exactly two segments
    kFormat4Arrays = 32,    // the segment arrays cannot be read
    kFormat4RangeOffset = 33,  // the first segment is not mapped by its delta alone
  };

  CTTEMetrics() { Reset(); }

  int Read(const std::filesystem::path& path);
  int Read(CByteSource& source);  // same, from any byte source
  bool HasGlyph(int code) const;
  void Reset();
  // Offset of the table with this tag (and its length), or 0 when there is none.
  std::uint32_t FindTable(const char tag[4], std::uint32_t* length = nullptr) const;

  std::int32_t readStatus = kBadFile;
  std::int32_t definedCount = 0;

 private:
  struct DirEntry {
    std::uint8_t tag[4];
    std::uint32_t checksum, offset, length;
  };
  int ReadDirectory(CByteSource& source);
  int ReadLocaFlags(CByteSource& source, std::vector<std::uint8_t>& flags);
  int ReadCmapSegment(CByteSource& source, std::uint16_t& start, std::uint16_t& end, std::uint16_t& delta);

  std::array<std::uint8_t, 12> m_header{};
  std::vector<DirEntry> m_directory;
  std::array<std::uint8_t, kGaijiCount> m_present{};
};

}  // namespace moji
