#include "CandidateIndex.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "BinaryFile.h"
#include "ByteOrder.h"
#include "FileReplace.h"
#include "ScopeGuard.h"

namespace moji {

namespace {

constexpr char kMagic[4] = {'M', 'J', 'C', 'I'};
// Raised whenever the shape features change: a cache of other features is built again.
constexpr std::uint32_t kVersion = 2;
constexpr std::uint32_t kMaxFaceUnits = 256;
constexpr std::uint64_t kMaxCacheBytes = 256ull << 20;
constexpr std::size_t kGlyphRecord = 2 + 4, kMappingRecord = 4 + 4;

std::uint64_t Fnv1a(std::span<const std::uint8_t> bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
  return hash;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.resize(out.size() + 4);
  PutLe32(&out[out.size() - 4], v);
}
void Put64(std::vector<std::uint8_t>& out, std::uint64_t v) {
  Put32(out, static_cast<std::uint32_t>(v));
  Put32(out, static_cast<std::uint32_t>(v >> 32));
}

// Reads the cache front to back; every read checks what is left.
class CReader {
 public:
  explicit CReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
  bool Take(std::size_t n, const std::uint8_t*& p) {
    if (m_bytes.size() - m_at < n) return false;
    p = m_bytes.data() + m_at;
    m_at += n;
    return true;
  }
  bool U16(std::uint32_t& v) {
    const std::uint8_t* p = nullptr;
    return Take(2, p) && ((v = Le16(p)), true);
  }
  bool U32(std::uint32_t& v) {
    const std::uint8_t* p = nullptr;
    return Take(4, p) && ((v = Le32(p)), true);
  }
  bool U64(std::uint64_t& v) {
    std::uint32_t low = 0, high = 0;
    return U32(low) && U32(high) && ((v = std::uint64_t{high} << 32 | low), true);
  }
  std::size_t Left() const { return m_bytes.size() - m_at; }

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_at = 0;
};

}  // namespace

bool IsIdeograph(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x323AF);
}

std::string FormatCandidateCodes(const Candidate& candidate) {
  char text[32];
  if (candidate.selector == 0)
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(candidate.code));
  else
    std::snprintf(text, sizeof text, "U+%04X U+%04X", static_cast<unsigned>(candidate.code),
                  static_cast<unsigned>(candidate.selector));
  return text;
}

std::u16string CandidateText(const Candidate& candidate) {
  std::u16string text;
  for (const char32_t c : {candidate.code, candidate.selector}) {
    if (c == 0) continue;
    if (c >= 0x10000) {
      text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(c));
    }
  }
  return text;
}

void CCandidateIndex::Clear() {
  m_key = {};
  m_glyphs.clear();
  m_mappings.clear();
  m_features.clear();
}

void CCandidateIndex::Collect(const std::vector<CmapMapping>& all) {
  for (const CmapMapping& m : all)
    if (IsIdeograph(m.code)) m_mappings.push_back(m);
  std::stable_sort(m_mappings.begin(), m_mappings.end(),
                   [](const CmapMapping& a, const CmapMapping& b) { return a.glyph < b.glyph; });
  for (std::uint32_t i = 0; i < m_mappings.size(); ++i) {
    if (m_glyphs.empty() || m_glyphs.back().glyph != m_mappings[i].glyph)
      m_glyphs.push_back({m_mappings[i].glyph, i, 0});
    ++m_glyphs.back().mappingCount;
  }
}

FontKey CCandidateIndex::KeyOf(CFontGlyphRenderer& renderer, const std::u16string& face) {
  FontKey key{face, renderer.FontFileSize(), 0};
  const auto head = renderer.FontTable("head");
  if (head.size() >= 12) key.checksum = Be32(&head[8]);
  return key;
}

int CCandidateIndex::Build(CFontGlyphRenderer& renderer, const std::u16string& face, const Progress& progress) {
  Clear();
  CScopeGuard end([&] { renderer.End(); });
  if (!renderer.Begin(face, kRenderSize)) return kNoFont;
  CFontCmap cmap;
  const auto maxp = renderer.FontTable("maxp");
  if (cmap.Read(renderer.FontTable("cmap"), GlyphCountOfMaxp(maxp)) != CFontCmap::kOk) return kNoMap;
  const FontKey key = KeyOf(renderer, face);
  Collect(cmap.Mappings());
  if (m_glyphs.empty()) return kNoMap;  // no ideograph to propose
  m_features.resize(m_glyphs.size());
  InkImage image;
  for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
    if (renderer.RenderGlyph(m_glyphs[i].glyph, image)) m_features[i].Compute(image);
    if (progress && !progress(i + 1, m_glyphs.size())) {
      Clear();
      return kCancelled;
    }
  }
  m_key = key;
  return kBuilt;
}

Candidate CCandidateIndex::Label(const GlyphEntry& entry) const {
  const CmapMapping* chosen = &m_mappings[entry.firstMapping];
  for (std::uint32_t i = 0; i < entry.mappingCount; ++i)
    if (m_mappings[entry.firstMapping + i].selector != 0) {
      chosen = &m_mappings[entry.firstMapping + i];
      break;
    }
  return {chosen->code, chosen->selector, entry.glyph, 0};
}

std::vector<Candidate> CCandidateIndex::Find(const CShapeFeature& query, std::size_t count) const {
  std::vector<std::pair<float, std::uint32_t>> scored(m_features.size());
  for (std::uint32_t i = 0; i < m_features.size(); ++i) scored[i] = {m_features[i].Similarity(query), i};
  count = std::min(count, scored.size());
  std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(count), scored.end(),
                    [](const auto& a, const auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
  std::vector<Candidate> found;
  for (std::size_t i = 0; i < count; ++i) {
    Candidate c = Label(m_glyphs[scored[i].second]);
    c.similarity = scored[i].first * 100;
    found.push_back(c);
  }
  return found;
}

std::vector<CmapMapping> CCandidateIndex::MappingsOf(std::uint16_t glyph) const {
  const auto it = std::lower_bound(m_glyphs.begin(), m_glyphs.end(), glyph,
                                   [](const GlyphEntry& e, std::uint16_t g) { return e.glyph < g; });
  if (it == m_glyphs.end() || it->glyph != glyph) return {};
  const auto first = m_mappings.begin() + it->firstMapping;
  return {first, first + it->mappingCount};
}

std::size_t CCandidateIndex::MemoryBytes() const {
  return m_glyphs.capacity() * sizeof(GlyphEntry) + m_mappings.capacity() * sizeof(CmapMapping) +
         m_features.capacity() * sizeof(CShapeFeature);
}

std::vector<std::uint8_t> CCandidateIndex::Serialise() const {
  std::vector<std::uint8_t> out(kMagic, kMagic + 4);
  Put32(out, kVersion);
  Put32(out, static_cast<std::uint32_t>(m_key.face.size()));
  for (const char16_t unit : m_key.face) out.push_back(static_cast<std::uint8_t>(unit)), out.push_back(unit >> 8);
  Put64(out, m_key.fileSize);
  Put32(out, m_key.checksum);
  Put32(out, static_cast<std::uint32_t>(m_glyphs.size()));
  Put32(out, static_cast<std::uint32_t>(m_mappings.size()));
  for (const GlyphEntry& e : m_glyphs) {
    out.push_back(static_cast<std::uint8_t>(e.glyph)), out.push_back(static_cast<std::uint8_t>(e.glyph >> 8));
    Put32(out, e.mappingCount);
  }
  for (const CmapMapping& m : m_mappings) Put32(out, m.code), Put32(out, m.selector);
  for (const CShapeFeature& f : m_features) out.insert(out.end(), f.values().begin(), f.values().end());
  Put64(out, Fnv1a(out));
  return out;
}

bool CCandidateIndex::Deserialise(std::span<const std::uint8_t> bytes, const FontKey& key) {
  Clear();
  if (bytes.size() < 16 || std::memcmp(bytes.data(), kMagic, 4) != 0) return false;
  const auto body = bytes.first(bytes.size() - 8);
  if (Fnv1a(body) != (std::uint64_t{Le32(&bytes[bytes.size() - 4])} << 32 | Le32(&bytes[bytes.size() - 8])))
    return false;
  CReader in(body.subspan(4));
  std::uint32_t version = 0, faceUnits = 0, glyphs = 0, mappings = 0;
  FontKey stored;
  if (!in.U32(version) || version != kVersion || !in.U32(faceUnits) || faceUnits > kMaxFaceUnits) return false;
  for (std::uint32_t i = 0, unit = 0; i < faceUnits; ++i) {
    if (!in.U16(unit)) return false;
    stored.face.push_back(static_cast<char16_t>(unit));
  }
  if (!in.U64(stored.fileSize) || !in.U32(stored.checksum) || !(stored == key)) return false;
  if (!in.U32(glyphs) || !in.U32(mappings) || glyphs > 0x10000 || mappings > CFontCmap::kMaxMappings) return false;
  if (in.Left() != glyphs * (kGlyphRecord + CShapeFeature::kSize) + std::size_t{mappings} * kMappingRecord) return false;

  // The records are all there (the size matched), so the reads below cannot run short.
  std::uint32_t total = 0, previous = 0;
  for (std::uint32_t i = 0; i < glyphs; ++i) {
    std::uint32_t glyph = 0, count = 0;
    in.U16(glyph), in.U32(count);
    // Glyphs ascend, each has at least one mapping, and the mappings add up.
    if ((i > 0 && glyph <= previous) || count == 0 || count > mappings - total) return Clear(), false;
    m_glyphs.push_back({static_cast<std::uint16_t>(glyph), total, count});
    total += count, previous = glyph;
  }
  if (total != mappings) return Clear(), false;
  for (const GlyphEntry& e : m_glyphs)
    for (std::uint32_t i = 0; i < e.mappingCount; ++i) {
      std::uint32_t code = 0, selector = 0;
      in.U32(code), in.U32(selector);
      if (!IsIdeograph(code) || selector > 0x10FFFF) return Clear(), false;
      m_mappings.push_back({code, selector, e.glyph});
    }
  m_features.resize(glyphs);
  for (CShapeFeature& f : m_features) {
    const std::uint8_t* p = nullptr;
    in.Take(CShapeFeature::kSize, p);
    CShapeFeature::Values values;
    std::memcpy(values.data(), p, values.size());
    f.Assign(values);
  }
  m_key = stored;
  return true;
}

bool CCandidateIndex::Save(const std::filesystem::path& path) const {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  return WriteFileAtomically(path, Serialise());
}

bool CCandidateIndex::Load(const std::filesystem::path& path, const FontKey& key) {
  Clear();
  const auto bytes = ReadWholeFile(path, kMaxCacheBytes);
  return bytes && Deserialise(*bytes, key);
}

std::filesystem::path CCandidateIndex::CacheFileName(const std::u16string& face) {
  std::u16string name;
  for (const char16_t c : face) name.push_back(c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos ? u'_' : c);
  return std::filesystem::path(name + u".idx");
}

}  // namespace moji
