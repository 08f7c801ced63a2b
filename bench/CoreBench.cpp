// Core reader figures for a font of 6,400 glyphs and its 64 x 64 EUF file:
// the TTE reader, loading the EUF table plus reading every glyph, and one sequential read
// of the same EUF file as the physical floor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "EufFile.h"
#include "GaijiCode.h"
#include "GlyphMatch.h"
#include "TTEMetrics.h"
#include "YomiFind.h"
#include "YomiStore.h"

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

// The bitmap search's floor and its cost: plain reading of the 6,400 glyphs of an open EUF,
// and a search from the top whose pattern matches none of them (same reader, same file).
void BM_EufReadAllGlyphsOpen(benchmark::State& state) {
  moji::CEufFile euf;
  if (euf.Open(kFixtures / "full64.euf", moji::CBinaryFile::Access::Read) != 0) state.SkipWithError("bad EUF");
  moji::EufGlyph glyph;
  for (auto _ : state) {
    int read = 0;
    for (int code = moji::kGaijiFirst; code <= moji::kGaijiLast; ++code) {
      if (euf.ReadGlyph(code, glyph)) ++read;
      benchmark::DoNotOptimize(glyph.bits.data());
    }
    if (read != 6400) state.SkipWithError("missing glyphs");
  }
}
BENCHMARK(BM_EufReadAllGlyphsOpen)->Unit(benchmark::kMicrosecond);

void BM_BitmapSearchFindsNothing(benchmark::State& state) {
  moji::CEufFile euf;
  if (euf.Open(kFixtures / "full64.euf", moji::CBinaryFile::Access::Read) != 0) state.SkipWithError("bad EUF");
  const moji::GlyphPattern pattern{64, 64, std::vector<std::uint8_t>(512, 0x5A)};
  const auto read = [&](int code, moji::EufGlyph& glyph) { return static_cast<bool>(euf.ReadGlyph(code, glyph)); };
  int polls = 0;
  const auto pause = [&] { return ++polls < 0; };  // the Pause key is never down
  for (auto _ : state) {
    if (moji::FindMatchingGlyph(moji::kGaijiFirst, pattern, read, pause) != moji::kSearchNotFound)
      state.SkipWithError("unexpected hit");
  }
  benchmark::DoNotOptimize(polls);
}
BENCHMARK(BM_BitmapSearchFindsNothing)->Unit(benchmark::kMicrosecond);

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

// The find by reading over a full store: 6,400 gaiji with 10 readings of 10 hiragana each.
// "Prefix" types a first character every reading shares (no equal reading, every record a
// candidate); "NoHit" types a reading none has (a full pass without a candidate).
std::vector<std::uint8_t> FullYomiStore() {
  std::vector<std::uint8_t> records(6400 * 10 * moji::kYomiRecordSize);
  std::uint8_t* at = records.data();
  for (int code = moji::kGaijiFirst; code <= moji::kGaijiLast; ++code) {
    for (int n = 0; n < 10; ++n, at += moji::kYomiRecordSize) {
      std::u16string reading(10, u'あ');
      for (int i = 1, v = code * 10 + n; i < 10; ++i, v /= 7) reading[i] = static_cast<char16_t>(u'あ' + v % 7);
      moji::MakeYomiRecord(at, code, reading);
    }
  }
  return records;
}

void BM_FindByReading(benchmark::State& state, std::u16string text) {
  const auto records = FullYomiStore();
  for (auto _ : state) benchmark::DoNotOptimize(moji::FindGaijiByReading(records, text, 0xE100));
}
BENCHMARK_CAPTURE(BM_FindByReading, Prefix, std::u16string(u"あ"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindByReading, NoHit, std::u16string(u"ん"))->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
