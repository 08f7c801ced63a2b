// Benchmark, not a test (disabled, so ctest never runs it): the candidate search of the
// browser on the reference font IPAmj明朝 as Wine draws it. Prints the time to build the
// index through GDI (once per font), to save and load its cache, the candidates of one gaiji,
// a mapping table of 100 gaiji, the index's memory, and as a cross-check of the GDI path how
// often copies of 300 glyphs redrawn with a user's small changes (scale, shear, through
// GetGlyphOutline's matrix, and a move) find their glyph first. Run under Wine from the
// build folder:
//
//   cd build/windows/tests
//   ../../../cmake/wine-run.sh ./moji_win32_tests.exe --gtest_also_run_disabled_tests
//     --gtest_filter='CandidateBench.*'
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "CandidateTable.h"
#include "GdiFontGlyphRenderer.h"
#include "TextConv.h"

namespace moji {
namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A copy of `glyph` as a user redraws it: scaled per axis and sheared by the glyph matrix,
// moved inside a 64 × 64 cell.
InkImage RedrawnCopy(HDC dc, std::uint16_t glyph, std::mt19937& random) {
  std::uniform_real_distribution<double> scale(0.85, 1.0), shear(-0.05, 0.05), move(-0.03, 0.03);
  auto fixed = [](double v) {
    const long value = std::lround(v * 65536);
    return FIXED{static_cast<WORD>(value & 0xFFFF), static_cast<short>(value >> 16)};
  };
  const MAT2 matrix{fixed(scale(random)), fixed(0), fixed(shear(random)), fixed(scale(random))};
  GLYPHMETRICS metrics{};
  const DWORD size = GetGlyphOutlineW(dc, glyph, GGO_BITMAP | GGO_GLYPH_INDEX, &metrics, 0, nullptr, &matrix);
  if (size == GDI_ERROR || size == 0) return {};
  std::vector<std::uint8_t> bits(size);
  GetGlyphOutlineW(dc, glyph, GGO_BITMAP | GGO_GLYPH_INDEX, &metrics, size, bits.data(), &matrix);
  const int width = static_cast<int>(metrics.gmBlackBoxX), height = static_cast<int>(metrics.gmBlackBoxY);
  const InkImage box = InkFromBits(bits, width, height, (width + 31) / 32 * 4, 1);
  InkImage cell{64, 64, std::vector<std::uint8_t>(64 * 64)};
  const int left = 4 + static_cast<int>(move(random) * 64), top = 4 + static_cast<int>(move(random) * 64);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (box.ink[static_cast<std::size_t>(y) * width + x] && x + left >= 0 && x + left < 64 && y + top >= 0 &&
          y + top < 64)
        cell.ink[static_cast<std::size_t>(y + top) * 64 + x + left] = 1;
  return cell;
}

TEST(CandidateBench, DISABLED_ReferenceFontIndexAndSearch) {
  const std::u16string face = u"IPAmj明朝";
  ASSERT_TRUE(CGdiFontGlyphRenderer::IsInstalled(ToWide(face))) << "IPAmj明朝 is not installed";
  CGdiFontGlyphRenderer renderer;
  CCandidateIndex index;
  auto start = Clock::now();
  ASSERT_EQ(index.Build(renderer, face, {}), CCandidateIndex::kBuilt);
  std::printf("index: %zu glyphs built in %.1f s, %.1f MiB in memory\n", index.GlyphCount(),
              Ms(Clock::now() - start) / 1000, index.MemoryBytes() / 1048576.0);

  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::filesystem::path cache = std::filesystem::path(folder) / L"candidate_bench.idx";
  start = Clock::now();
  ASSERT_TRUE(index.Save(cache));
  const double saved = Ms(Clock::now() - start);
  CCandidateIndex loaded;
  start = Clock::now();
  ASSERT_TRUE(loaded.Load(cache, index.Key()));
  std::printf("cache: %.1f MiB, saved in %.0f ms, loaded and checked in %.0f ms\n",
              std::filesystem::file_size(cache) / 1048576.0, saved, Ms(Clock::now() - start));
  std::filesystem::remove(cache);

  ASSERT_TRUE(renderer.Begin(face, CCandidateIndex::kRenderSize));
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(-64, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                           NONANTIALIASED_QUALITY, 0, ToWide(face).c_str());
  HGDIOBJ old = SelectObject(dc, font);
  CFontCmap cmap;
  cmap.Read(renderer.FontTable("cmap"), GlyphCountOfMaxp(renderer.FontTable("maxp")));
  std::vector<CmapMapping> ideographs;
  for (const CmapMapping& m : cmap.Mappings())
    if (IsIdeograph(m.code)) ideographs.push_back(m);
  std::mt19937 random(20261207);
  int first = 0, five = 0, queries = 0;
  Clock::duration searching{};
  std::vector<CandidateRow> rows;
  Clock::duration tabling{};
  for (int i = 0; i < 300; ++i) {
    const CmapMapping& m = ideographs[random() % ideographs.size()];
    CShapeFeature shape;
    if (!shape.Compute(RedrawnCopy(dc, m.glyph, random))) continue;
    start = Clock::now();
    const auto found = index.Find(shape, 10);
    searching += Clock::now() - start;
    ++queries;
    first += !found.empty() && found[0].glyph == m.glyph;
    for (std::size_t k = 0; k < found.size() && k < 5; ++k) five += found[k].glyph == m.glyph;
    if (rows.size() < 100) {  // a mapping table of 100 gaiji: search and writing
      start = Clock::now();
      rows.push_back({0xE000 + static_cast<int>(rows.size()), {}, index.Find(shape, kCandidateColumns)});
      tabling += Clock::now() - start;
    }
  }
  start = Clock::now();
  ASSERT_TRUE(WriteCandidateTable(std::filesystem::path(folder) / L"candidate_bench.csv", rows));
  tabling += Clock::now() - start;
  std::filesystem::remove(std::filesystem::path(folder) / L"candidate_bench.csv");
  std::printf("search: %.1f ms per gaiji (10 candidates); table of 100 gaiji: %.2f s\n", Ms(searching) / queries,
              Ms(tabling) / 1000);
  std::printf("copies through GDI: first %.1f %%, among five %.1f %% (%d queries)\n", 100.0 * first / queries,
              100.0 * five / queries, queries);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
}

}  // namespace
}  // namespace moji
