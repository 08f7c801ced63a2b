// Precision and speed of the candidate search on the seeded set of make_shape_set.py:
//
//   moji_candidate_bench SET_DIR REFERENCE_FONT [--misses]
//
// The index of the reference font is built through the renderer seam from the font's own
// character map (CFontCmap) with glyphs rasterised from their outlines; each query is a glyph
// redrawn with a user's small changes. Prints, per kind, how often the right answer comes
// first and among the first five, then the time to build the index, the time per query and
// the index's memory. For "copy" the right answer is the exact glyph (so the exact variation
// sequence); for the other fonts any glyph of the right character.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "BinaryFile.h"
#include "CandidateIndex.h"
#include "OutlineRaster.h"

using namespace moji;
using Clock = std::chrono::steady_clock;

namespace {

class COutlineRenderer final : public CFontGlyphRenderer {
 public:
  COutlineRenderer(std::filesystem::path font, std::vector<bench::Outline> outlines)
      : m_font(std::move(font)), m_outlines(std::move(outlines)) {}
  bool Begin(const std::u16string&, int size) override {
    m_file = CBinaryFile::Open(m_font, CBinaryFile::Access::Read);
    m_size = size;
    return m_file != nullptr;
  }
  std::vector<std::uint8_t> FontTable(const char tag[4]) override { return ReadFontTable(*m_file, tag, 64u << 20); }
  std::uint64_t FontFileSize() override { return m_file->Size(); }
  bool RenderGlyph(std::uint16_t glyph, InkImage& out) override {
    if (glyph >= m_outlines.size()) return false;
    out = bench::Rasterise(m_outlines[glyph], m_size);
    return true;
  }
  void End() override { m_file.reset(); }

 private:
  std::filesystem::path m_font;
  std::vector<bench::Outline> m_outlines;
  std::unique_ptr<CBinaryFile> m_file;
  int m_size = 0;
};

struct Query {
  std::string kind;
  char32_t code = 0, selector = 0;
  std::uint16_t glyph = 0;
  bench::Change change;
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SET_DIR REFERENCE_FONT [--misses]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path set = argv[1];
  const bool misses = argc > 3 && std::string(argv[3]) == "--misses";
  COutlineRenderer renderer(argv[2], bench::ReadOutlines(set / "reference.outlines", false));
  const auto sources = bench::ReadOutlines(set / "queries.outlines", true);

  CCandidateIndex index;
  const auto built = Clock::now();
  if (index.Build(renderer, u"reference", {}) != CCandidateIndex::kBuilt) return 1;
  const double buildSeconds = Seconds(Clock::now() - built);

  std::ifstream list(set / "queries.txt");
  std::map<std::string, std::array<int, 3>> tally;  // first, among five, all
  Clock::duration searching{};
  std::string line;
  for (std::size_t i = 0; std::getline(list, line) && i < sources.size(); ++i) {
    std::istringstream in(line);
    Query q;
    unsigned code = 0, selector = 0, glyph = 0;
    in >> q.kind >> std::hex >> code >> selector >> std::dec >> glyph >> q.change.scaleX >> q.change.scaleY >>
        q.change.shear >> q.change.moveX >> q.change.moveY;
    q.code = code, q.selector = selector, q.glyph = static_cast<std::uint16_t>(glyph);
    CShapeFeature feature;
    feature.Compute(bench::Rasterise(sources[i], 64, q.change));
    const auto start = Clock::now();
    const auto found = index.Find(feature, 5);
    searching += Clock::now() - start;
    auto right = [&](const Candidate& c) {
      if (q.glyph != 0) return c.glyph == q.glyph;
      for (const CmapMapping& m : index.MappingsOf(c.glyph))
        if (m.code == q.code) return true;
      return false;
    };
    auto& t = tally[q.kind];
    const bool first = !found.empty() && right(found[0]);
    bool five = false;
    for (const Candidate& c : found) five = five || right(c);
    t[0] += first, t[1] += five, ++t[2];
    if (misses && !first)
      std::printf("miss %s U+%04X/%X: got %s (%.1f)%s\n", q.kind.c_str(), unsigned(q.code), unsigned(q.selector),
                  found.empty() ? "-" : FormatCandidateCodes(found[0]).c_str(), found.empty() ? 0 : found[0].similarity,
                  five ? " (in five)" : "");
  }
  std::size_t queries = 0;
  for (const auto& [kind, t] : tally) {
    std::printf("%-9s first %5.1f %%  among five %5.1f %%  (%d queries)\n", kind.c_str(), 100.0 * t[0] / t[2],
                100.0 * t[1] / t[2], t[2]);
    queries += t[2];
  }
  std::printf("index: %zu glyphs built in %.1f s (rasterising included), %.1f MiB in memory\n", index.GlyphCount(),
              buildSeconds, index.MemoryBytes() / 1048576.0);
  std::printf("search: %.2f ms per gaiji\n", 1000 * Seconds(searching) / std::max<std::size_t>(queries, 1));
  return 0;
}
