// The character map of a TrueType/OpenType font, read from its `cmap` table: which glyph each
// Unicode character draws (subtable format 4 or 12) and which glyph each variation sequence
// draws (format 14). The table comes from outside (a font file, or the system's copy of an
// installed font), so every count, offset and length is checked against the table before it
// is used; a damaged subtable yields no mappings rather than a crash or an over-read.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ByteSource.h"

namespace moji {

// One way to reach a glyph: a character alone (selector 0) or a character followed by a
// variation selector.
struct CmapMapping {
  char32_t code = 0;
  char32_t selector = 0;
  std::uint16_t glyph = 0;
  friend bool operator==(const CmapMapping&, const CmapMapping&) = default;
};

class CFontCmap {
 public:
  // Status of Read.
  enum Status : int {
    kOk = 0,
    kBadHeader = 1,        // shorter than its header or its encoding records
    kNoUnicodeMap = 2,     // no readable format 4 or 12 Unicode subtable
  };

  // Reads a whole cmap table. Glyph indices at or above `glyphCount` (from maxp) are
  // dropped, and so is glyph 0 (.notdef). A damaged variation-sequence subtable is ignored.
  int Read(std::span<const std::uint8_t> table, std::uint32_t glyphCount = 0x10000);

  // The glyph of a character or of a variation sequence; 0 when the font has none. A
  // sequence whose selector the font lists as default draws the character's own glyph.
  std::uint16_t GlyphOf(char32_t code, char32_t selector = 0) const;

  // Every character and every variation sequence with its glyph, ordered by character, then
  // selector (0 first).
  std::vector<CmapMapping> Mappings() const;

  // Upper bound on the characters and sequences kept, whatever the table claims.
  static constexpr std::size_t kMaxMappings = 0x110000;

 private:
  bool ReadFormat4(std::span<const std::uint8_t> sub);
  bool ReadFormat12(std::span<const std::uint8_t> sub);
  void ReadFormat14(std::span<const std::uint8_t> sub);
  void Add(char32_t code, char32_t selector, std::uint32_t glyph);
  void SortUnique(std::vector<CmapMapping>& list);

  std::uint32_t m_glyphCount = 0;
  std::vector<CmapMapping> m_chars;      // selector 0, ordered by code
  std::vector<CmapMapping> m_sequences;  // non-default sequences, ordered by (code, selector)
  std::vector<CmapMapping> m_defaults;   // default sequences (glyph 0 until resolved)
};

// The bytes of the table `tag` of a font file (TrueType collections not included); empty
// when the file has no such table, it lies outside the file or exceeds `maxLength`.
std::vector<std::uint8_t> ReadFontTable(CByteSource& font, const char tag[4], std::uint32_t maxLength);

// The number of glyphs a font declares in its `maxp` table; 0 when it cannot be read.
std::uint32_t GlyphCountOfMaxp(std::span<const std::uint8_t> maxp);

}  // namespace moji
