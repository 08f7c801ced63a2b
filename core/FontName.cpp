#include "FontName.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "BinaryFile.h"
#include "ByteOrder.h"

namespace moji {

namespace {

constexpr std::uint16_t kFamilyNameId = 1;
constexpr std::uint16_t kPlatformUnicode = 0;
constexpr std::uint16_t kPlatformMac = 1;
constexpr std::uint16_t kPlatformWindows = 3;
constexpr std::uint16_t kLanguageUsEnglish = 0x0409;
// A name record's length is 16 bits; the table is read at most this far.
constexpr std::uint32_t kMaxNameTable = 6 + 65535u * 12 + 65535u * 2;

// Rank of a family-name record; 0 = not usable.
int Rank(std::uint16_t platform, std::uint16_t encoding, std::uint16_t language) {
  if (platform == kPlatformWindows && (encoding == 0 || encoding == 1 || encoding == 10))
    return language == kLanguageUsEnglish ? 4 : 3;
  if (platform == kPlatformUnicode) return 2;
  if (platform == kPlatformMac && encoding == 0) return 1;
  return 0;
}

std::optional<std::u16string> Decode(std::uint16_t platform, const std::uint8_t* p, std::size_t length) {
  std::u16string text;
  if (platform == kPlatformMac) {
    for (std::size_t i = 0; i < length; ++i) {
      if (p[i] >= 0x80) return std::nullopt;  // only the ASCII part of Mac Roman is certain
      text.push_back(static_cast<char16_t>(p[i]));
    }
  } else {
    if (length % 2 != 0) return std::nullopt;
    for (std::size_t i = 0; i < length; i += 2) text.push_back(static_cast<char16_t>(Be16(p + i)));
  }
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  if (text.empty() || text.find(u'\0') != std::u16string::npos) return std::nullopt;
  return text;
}

}  // namespace

std::optional<std::u16string> ReadFontFamilyName(CByteSource& source) {
  std::uint8_t head[12];
  if (!source.ReadExact(0, head, sizeof head)) return std::nullopt;
  const std::uint32_t version = Be32(head);
  if (version != 0x00010000u && version != 0x74727565u /* 'true' */) return std::nullopt;
  const std::uint32_t numTables = Be16(&head[4]);
  if (12 + std::uint64_t{numTables} * 16 > source.Size()) return std::nullopt;

  std::uint32_t tableAt = 0, tableLength = 0;
  bool found = false;
  for (std::uint32_t i = 0; i < numTables && !found; ++i) {
    std::uint8_t entry[16];
    if (!source.ReadExact(12 + std::uint64_t{i} * 16, entry, sizeof entry)) return std::nullopt;
    if (std::memcmp(entry, "name", 4) != 0) continue;
    tableAt = Be32(&entry[8]);
    tableLength = Be32(&entry[12]);
    found = true;
  }
  if (!found || tableLength < 6 || std::uint64_t{tableAt} + tableLength > source.Size()) return std::nullopt;
  if (tableLength > kMaxNameTable) tableLength = kMaxNameTable;

  std::vector<std::uint8_t> table(tableLength);
  if (!source.ReadExact(tableAt, table.data(), table.size())) return std::nullopt;
  const std::uint32_t count = Be16(&table[2]);
  const std::uint32_t stringsAt = Be16(&table[4]);
  if (6 + std::uint64_t{count} * 12 > tableLength) return std::nullopt;

  std::optional<std::u16string> best;
  int bestRank = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* r = &table[6 + std::size_t{i} * 12];
    const std::uint16_t platform = Be16(r), encoding = Be16(r + 2), language = Be16(r + 4);
    if (Be16(r + 6) != kFamilyNameId) continue;
    const int rank = Rank(platform, encoding, language);
    if (rank <= bestRank) continue;
    const std::uint32_t length = Be16(r + 8);
    const std::uint64_t at = std::uint64_t{stringsAt} + Be16(r + 10);
    if (at + length > tableLength) continue;
    if (auto text = Decode(platform, &table[static_cast<std::size_t>(at)], length)) {
      best = std::move(text);
      bestRank = rank;
    }
  }
  return best;
}

std::optional<std::u16string> ReadFontFamilyName(const std::filesystem::path& path) {
  auto file = CBinaryFile::Open(path, CBinaryFile::Access::Read);
  if (!file) return std::nullopt;
  return ReadFontFamilyName(*file);
}

}  // namespace moji
