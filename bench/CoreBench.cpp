// Core reader figures for a font of 6,400 glyphs and its 64 x 64 EUF file:
// the TTE reader, loading the EUF table plus reading every glyph, and one sequential read
// of the same EUF file as the physical floor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "EufFile.h"
#include "GaijiCode.h"
#include "TTEMetrics.h"

namespace {

const std::filesystem::path kFixtures = MOJI_FIXTURE_DIR;

void BM_TTEMetricsRead(benchmark::State& state) {
  moji::CTTEMetrics tte;
  for (auto _ : state) {
    if (tte.Read(kFixtures / "full.tte") != 0 || tte.definedCount != 6400) state.SkipWithError("bad font");
    benchmark::DoNotOptimize(tte.definedCount);
  }
}
BENCHMARK(BM_TTEMetricsRead)->Unit(benchmark::kMicrosecond);

void BM_EufLoadAndReadAllGlyphs(benchmark::State& state) {
  const auto path = kFixtures / "full64.euf";
  std::size_t bytes = 0;
  for (auto _ : state) {
    moji::CEufFile euf;
    if (euf.Open(path, moji::CBinaryFile::Access::Read) != 0) state.SkipWithError("bad EUF");
    moji::EufGlyph glyph;
    int read = 0;
    for (int code = moji::kGaijiFirst; code <= moji::kGaijiLast; ++code) {
      if (euf.ReadGlyph(code, glyph)) ++read;
      benchmark::DoNotOptimize(glyph.bits.data());
    }
    if (read != 6400) state.SkipWithError("missing glyphs");
    bytes += std::filesystem::file_size(path);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EufLoadAndReadAllGlyphs)->Unit(benchmark::kMicrosecond);

void BM_EufSequentialRead(benchmark::State& state) {
  const auto path = kFixtures / "full64.euf";
  std::vector<char> buffer(64 * 1024);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) state.SkipWithError("cannot open");
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) {
      bytes += got;
      benchmark::DoNotOptimize(buffer.data());
    }
    std::fclose(f);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EufSequentialRead)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
