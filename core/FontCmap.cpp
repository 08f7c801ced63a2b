#include "FontCmap.h"

#include <algorithm>
#include <cstring>

#include "ByteOrder.h"

namespace moji {

namespace {

constexpr char32_t kLastCode = 0x10FFFF;

std::uint32_t Be24(const std::uint8_t* p) { return std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2]; }

// The part of `table` from `offset` on, limited to `length` bytes; empty when it starts
// outside the table.
std::span<const std::uint8_t> Slice(std::span<const std::uint8_t> table, std::uint64_t offset,
                                    std::uint64_t length = UINT64_MAX) {
  if (offset >= table.size()) return {};
  return table.subspan(static_cast<std::size_t>(offset),
                       static_cast<std::size_t>(std::min<std::uint64_t>(length, table.size() - offset)));
}

bool ByCodeThenSelector(const CmapMapping& a, const CmapMapping& b) {
  return a.code != b.code ? a.code < b.code : a.selector < b.selector;
}

// Preference among Unicode subtables: full repertoire (format 12) before BMP (format 4),
// Windows before Unicode platform. 0 = not a Unicode character map.
int Rank(std::uint16_t platform, std::uint16_t encoding, std::uint16_t format) {
  if (format == 12 && ((platform == 3 && encoding == 10) || (platform == 0 && (encoding == 4 || encoding == 6))))
    return platform == 3 ? 4 : 3;
  if (format == 4 && ((platform == 3 && encoding == 1) || (platform == 0 && encoding <= 3)))
    return platform == 3 ? 2 : 1;
  return 0;
}

}  // namespace

void CFontCmap::Add(char32_t code, char32_t selector, std::uint32_t glyph) {
  if (glyph == 0 || glyph >= m_glyphCount || code > kLastCode) return;
  if (m_chars.size() + m_sequences.size() >= kMaxMappings) return;
  (selector == 0 ? m_chars : m_sequences).push_back({code, selector, static_cast<std::uint16_t>(glyph)});
}

void CFontCmap::SortUnique(std::vector<CmapMapping>& list) {
  std::stable_sort(list.begin(), list.end(), ByCodeThenSelector);
  list.erase(std::unique(list.begin(), list.end(),
                         [](const CmapMapping& a, const CmapMapping& b) {
                           return a.code == b.code && a.selector == b.selector;
                         }),
             list.end());
}

bool CFontCmap::ReadFormat4(std::span<const std::uint8_t> sub) {
  if (sub.size() < 14) return false;
  sub = Slice(sub, 0, Be16(&sub[2]));  // the subtable's own length
  const std::size_t segments = Be16(&sub[6]) / 2u;
  // endCode[n], reservedPad, startCode[n], idDelta[n], idRangeOffset[n]
  const std::size_t ends = 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                    ranges = deltas + 2 * segments;
  if (segments == 0 || ranges + 2 * segments > sub.size()) return false;
  // Well-formed segments do not overlap, so at most 65,536 codes are visited; overlapping
  // ones could otherwise make a small table cost billions of steps.
  std::uint32_t budget = 0x10000;
  for (std::size_t s = 0; s < segments; ++s) {
    const std::uint32_t end = Be16(&sub[ends + 2 * s]), start = Be16(&sub[starts + 2 * s]);
    const std::uint16_t delta = Be16(&sub[deltas + 2 * s]);
    const std::uint32_t rangeOffset = Be16(&sub[ranges + 2 * s]);
    for (std::uint32_t c = start; c <= end && c != 0xFFFF; ++c) {
      if (budget-- == 0) return true;
      std::uint32_t glyph = 0;
      if (rangeOffset == 0) {
        glyph = (c + delta) & 0xFFFF;
      } else {
        // The glyph id array is addressed from the idRangeOffset entry itself.
        const std::uint64_t at = ranges + 2 * s + std::uint64_t{rangeOffset} + 2 * std::uint64_t{c - start};
        if (at + 2 > sub.size()) break;
        glyph = Be16(&sub[static_cast<std::size_t>(at)]);
        if (glyph != 0) glyph = (glyph + delta) & 0xFFFF;
      }
      Add(c, 0, glyph);
    }
  }
  return true;
}

bool CFontCmap::ReadFormat12(std::span<const std::uint8_t> sub) {
  if (sub.size() < 16) return false;
  sub = Slice(sub, 0, Be32(&sub[4]));
  const std::uint32_t groups = sub.size() >= 16 ? Be32(&sub[12]) : 0;
  if (groups == 0 || 16 + std::uint64_t{groups} * 12 > sub.size()) return false;
  for (std::uint32_t g = 0; g < groups; ++g) {
    const std::uint8_t* p = &sub[16 + std::size_t{g} * 12];
    const std::uint32_t start = Be32(p), end = std::min<std::uint32_t>(Be32(p + 4), kLastCode), glyph = Be32(p + 8);
    for (std::uint32_t c = start; c <= end; ++c) {
      if (glyph + std::uint64_t{c - start} >= m_glyphCount) break;
      if (m_chars.size() >= kMaxMappings) return true;
      Add(c, 0, glyph + (c - start));
    }
  }
  return true;
}

void CFontCmap::ReadFormat14(std::span<const std::uint8_t> sub) {
  if (sub.size() < 10) return;
  sub = Slice(sub, 0, Be32(&sub[2]));
  const std::uint32_t records = sub.size() >= 10 ? Be32(&sub[6]) : 0;
  if (10 + std::uint64_t{records} * 11 > sub.size()) return;
  for (std::uint32_t r = 0; r < records; ++r) {
    const std::uint8_t* p = &sub[10 + std::size_t{r} * 11];
    const char32_t selector = Be24(p);
    if (selector == 0) continue;
    if (const std::uint32_t at = Be32(p + 3); at != 0) {  // default UVS: ranges of characters
      const auto table = Slice(sub, at);
      const std::uint32_t count = table.size() >= 4 ? Be32(&table[0]) : 0;
      for (std::uint32_t i = 0; i < count && 4 + std::uint64_t{i + 1} * 4 <= table.size(); ++i) {
        const std::uint8_t* range = &table[4 + std::size_t{i} * 4];
        const std::uint32_t first = Be24(range);
        for (std::uint32_t c = first; c <= first + range[3]; ++c) Add(c, selector, GlyphOf(c));
      }
    }
    if (const std::uint32_t at = Be32(p + 7); at != 0) {  // non-default UVS: character → glyph
      const auto table = Slice(sub, at);
      const std::uint32_t count = table.size() >= 4 ? Be32(&table[0]) : 0;
      for (std::uint32_t i = 0; i < count && 4 + std::uint64_t{i + 1} * 5 <= table.size(); ++i) {
        const std::uint8_t* m = &table[4 + std::size_t{i} * 5];
        Add(Be24(m), selector, Be16(m + 3));
      }
    }
  }
}

int CFontCmap::Read(std::span<const std::uint8_t> table, std::uint32_t glyphCount) {
  m_chars.clear();
  m_sequences.clear();
  m_glyphCount = std::min<std::uint32_t>(glyphCount, 0x10000);
  if (table.size() < 4) return kBadHeader;
  const std::uint32_t count = Be16(&table[2]);
  if (4 + std::uint64_t{count} * 8 > table.size()) return kBadHeader;

  // Subtables by preference; the best one that reads wins.
  std::vector<std::pair<int, std::span<const std::uint8_t>>> maps;
  std::span<const std::uint8_t> sequences;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* record = &table[4 + std::size_t{i} * 8];
    const auto sub = Slice(table, Be32(record + 4));
    if (sub.size() < 2) continue;
    const std::uint16_t platform = Be16(record), encoding = Be16(record + 2), format = Be16(sub.data());
    if (platform == 0 && encoding == 5 && format == 14) sequences = sub;
    if (const int rank = Rank(platform, encoding, format)) maps.emplace_back(rank, sub);
  }
  std::stable_sort(maps.begin(), maps.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  bool read = false;
  for (const auto& [rank, sub] : maps) {
    read = Be16(sub.data()) == 12 ? ReadFormat12(sub) : ReadFormat4(sub);
    if (read) break;
    m_chars.clear();
  }
  if (!read) return kNoUnicodeMap;
  SortUnique(m_chars);
  if (!sequences.empty()) ReadFormat14(sequences);
  SortUnique(m_sequences);
  return kOk;
}

std::uint16_t CFontCmap::GlyphOf(char32_t code, char32_t selector) const {
  const auto& list = selector == 0 ? m_chars : m_sequences;
  const CmapMapping key{code, selector, 0};
  const auto it = std::lower_bound(list.begin(), list.end(), key, ByCodeThenSelector);
  return it != list.end() && it->code == code && it->selector == selector ? it->glyph : 0;
}

std::vector<CmapMapping> CFontCmap::Mappings() const {
  std::vector<CmapMapping> all;
  all.reserve(m_chars.size() + m_sequences.size());
  std::merge(m_chars.begin(), m_chars.end(), m_sequences.begin(), m_sequences.end(), std::back_inserter(all),
             ByCodeThenSelector);
  return all;
}

std::vector<std::uint8_t> ReadFontTable(CByteSource& font, const char tag[4], std::uint32_t maxLength) {
  std::uint8_t head[12];
  if (!font.ReadExact(0, head, sizeof head)) return {};
  const std::uint32_t tables = Be16(&head[4]);
  for (std::uint32_t i = 0; i < tables; ++i) {
    std::uint8_t record[16];
    if (!font.ReadExact(12 + std::uint64_t{i} * 16, record, sizeof record)) return {};
    if (std::memcmp(record, tag, 4) != 0) continue;
    const std::uint32_t offset = Be32(&record[8]), length = Be32(&record[12]);
    if (length > maxLength || std::uint64_t{offset} + length > font.Size()) return {};
    std::vector<std::uint8_t> bytes(length);
    if (!font.ReadExact(offset, bytes.data(), length)) return {};
    return bytes;
  }
  return {};
}

std::uint32_t GlyphCountOfMaxp(std::span<const std::uint8_t> maxp) { return maxp.size() >= 6 ? Be16(&maxp[4]) : 0; }

}  // namespace moji
