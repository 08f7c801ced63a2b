// The index of a reference font for proposing the standard character of a gaiji: the shape
// of every ideograph glyph its character map reaches (a character, or a character with a
// variation selector), searched for the glyphs that look most like a gaiji.
//
// Built once per font through a CFontGlyphRenderer and kept in a cache file, which is read
// back as untrusted data: every count is bounded, the size must match exactly, the key (face
// name, file size and checksum of the font) must match the installed font, and a checksum of
// the content must hold; anything else makes the caller build the index again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FontCmap.h"
#include "GlyphRenderer.h"
#include "ShapeFeature.h"

namespace moji {

// What an index was built from; a cache serves only the font with the same key.
struct FontKey {
  std::u16string face;
  std::uint64_t fileSize = 0;
  std::uint32_t checksum = 0;  // the font's own whole-file checksum adjustment (head table)
  friend bool operator==(const FontKey&, const FontKey&) = default;
};

// A proposed character: how it is written (a character, or a character and a variation
// selector) and how alike it looks, 0 to 100.
struct Candidate {
  char32_t code = 0;
  char32_t selector = 0;
  std::uint16_t glyph = 0;
  float similarity = 0;
};

// "U+845B" or "U+845B U+E0100".
std::string FormatCandidateCodes(const Candidate& candidate);
// The candidate's characters as text (UTF-16), as the clipboard takes them.
std::u16string CandidateText(const Candidate& candidate);

// Whether a character is an ideograph a gaiji may stand in for (CJK unified ideographs and
// their extensions, compatibility ideographs).
bool IsIdeograph(char32_t code);

class CCandidateIndex {
 public:
  // kNoMap: no readable character map, or it reaches no ideograph.
  enum Status : int { kBuilt = 0, kNoFont = 1, kNoMap = 2, kCancelled = 3 };
  // Asked after each glyph with the count done and the total; false cancels.
  using Progress = std::function<bool(std::size_t done, std::size_t total)>;

  // The em size glyphs are drawn at.
  static constexpr int kRenderSize = 64;

  // Reads the key of `face` through the renderer (Begin must have succeeded).
  static FontKey KeyOf(CFontGlyphRenderer& renderer, const std::u16string& face);

  // Draws every glyph reachable from an ideograph and describes its shape.
  int Build(CFontGlyphRenderer& renderer, const std::u16string& face, const Progress& progress);

  // The `count` glyphs most like `query`, best first; one candidate per glyph, written as its
  // first variation sequence when it has one (the sequence names the form in every font of
  // that collection), else as its character.
  std::vector<Candidate> Find(const CShapeFeature& query, std::size_t count) const;

  // Every way to reach a glyph, in character map order.
  std::vector<CmapMapping> MappingsOf(std::uint16_t glyph) const;

  const FontKey& Key() const { return m_key; }
  std::size_t GlyphCount() const { return m_glyphs.size(); }
  std::size_t MemoryBytes() const;

  // The cache file's bytes, and reading them back: false (and the index empty) for anything
  // that is not a whole, undamaged index of `key`.
  std::vector<std::uint8_t> Serialise() const;
  bool Deserialise(std::span<const std::uint8_t> bytes, const FontKey& key);
  bool Save(const std::filesystem::path& path) const;
  bool Load(const std::filesystem::path& path, const FontKey& key);

  // The cache file's name for a face: the face with characters no file name may hold replaced.
  static std::filesystem::path CacheFileName(const std::u16string& face);

 private:
  struct GlyphEntry {
    std::uint16_t glyph = 0;
    std::uint32_t firstMapping = 0;  // into m_mappings
    std::uint32_t mappingCount = 0;
  };
  void Clear();
  // Glyph entries and their mappings from a character map, ideographs only.
  void Collect(const std::vector<CmapMapping>& all);
  Candidate Label(const GlyphEntry& entry) const;

  FontKey m_key;
  std::vector<GlyphEntry> m_glyphs;
  std::vector<CmapMapping> m_mappings;  // grouped by glyph
  std::vector<CShapeFeature> m_features;  // one per glyph entry
};

}  // namespace moji
