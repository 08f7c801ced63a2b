// EUF bitmap files: one monochrome bitmap per gaiji, indexed by Unicode code.
//
// Layout (little-endian): a 102-byte header (42-byte signature, 56 bytes not interpreted,
// the anchor P at offset 98), a 20-byte management block at P − 6, the offset table at
// P + 14 with one 32-bit entry per code from firstCode to lastCode (record position
// relative to P, 0 = no glyph), and glyph records {size, width, height, bits} with rows
// of whole 16-bit words, 1 = background, 0 = ink.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "BinaryFile.h"

namespace moji {

namespace euf {
inline constexpr std::string_view kSignature = "Windows EUDC Editor Bitmap File (Uni-Code)";
inline constexpr std::size_t kHeaderSize = 102;
inline constexpr std::size_t kAnchorOffset = 98;
inline constexpr std::size_t kBlockSize = 20;
inline constexpr std::size_t kRecordHeaderSize = 8;
inline constexpr std::size_t kMaxBitmapBytes = 8192;  // a 256 x 256 bitmap
inline constexpr int kMaxGlyphSide = 256;             // the largest template, SPACE_256.euf

// Messages of a file that cannot be used (shown with the file's path).
inline constexpr int kMsgOpenFailed = 2015;
inline constexpr int kMsgNotEuf = 2017;
inline constexpr int kMsgBlockUnreadable = 2018;
inline constexpr int kMsgInternalError = 2019;

// Bytes of a glyph bitmap: rows of whole 16-bit words. Only widths that are multiples of
// 16 give a length W·H/8 that matches that layout; other sizes are refused (0).
std::size_t BitmapBytes(int width, int height);
}  // namespace euf

struct EufGlyph {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;
};

// Why a glyph whose table entry is set could not be read (the browser logs these).
enum class EufReadFault {
  None,            // read
  NoGlyph,         // not loaded, code outside the table, or entry 0: silently absent
  HeaderPosition,  // the record lies past the end of the file     (entry, pos)
  HeaderRead,      // its 8-byte header cannot be read whole        (entry, pos)
  BufferSize,      // W·H/8 is 0, above 8192, or W not a multiple of 16 (entry, size)
  DataPosition,    // the file is shorter than pos + size           (entry, pos + size)
  DataRead,        // the bits cannot be read whole                 (entry, pos + 8)
};

struct EufReadResult {
  EufReadFault fault = EufReadFault::NoGlyph;
  std::uint32_t entry = 0;   // the table entry of the code
  std::uint64_t detail = 0;  // position or size, as listed with the fault
  explicit operator bool() const { return fault == EufReadFault::None; }
};

class CEufFile {
 public:
  // Opens and validates; 0 or one of the kMsg numbers. Nothing is retained on failure.
  int Open(const std::filesystem::path& path, CBinaryFile::Access access);
  int Load(std::unique_ptr<CByteSource> source);
  void Close();

  bool IsLoaded() const { return m_source != nullptr; }
  int FirstCode() const { return m_firstCode; }
  int LastCode() const { return m_lastCode; }
  std::uint32_t Anchor() const { return m_anchor; }
  std::uint32_t DataEnd() const;
  std::uint32_t FirstRecordOffset() const;
  std::uint32_t Entry(int code) const;  // 0 outside the table
  // The file's glyph size: width and height of the record of the first entry (or, when
  // the first code has no glyph, of the 8 bytes at P). Unset when those cannot be read.
  // A file whose glyph size has a side of 0 or above kMaxGlyphSide is refused by Open
  // (kMsgInternalError): that size drives the grid's layout and the search's buffers.
  std::optional<std::pair<int, int>> GlyphSize() const { return m_glyphSize; }

  bool HasGlyph(int code) const { return Entry(code) != 0; }
  EufReadResult ReadGlyph(int code, EufGlyph& out);

  // Adding glyphs to a copy of a template: the first glyph replaces the template's
  // record at firstRecordOffset (entry 0 is cleared first), later ones are appended at
  // dataEnd. Block and table are written back by Commit, and only when something was added.
  bool AddGlyph(int code, int width, int height, std::span<const std::uint8_t> bits);
  bool Commit();
  int AddedCount() const { return m_added; }

  CByteSource* Source() { return m_source.get(); }

 private:
  std::unique_ptr<CByteSource> m_source;
  std::array<std::uint8_t, euf::kBlockSize> m_block{};
  std::vector<std::uint32_t> m_table;
  std::uint32_t m_anchor = 0;
  int m_firstCode = 0;
  int m_lastCode = -1;
  std::optional<std::pair<int, int>> m_glyphSize;
  int m_added = 0;
};

}  // namespace moji
