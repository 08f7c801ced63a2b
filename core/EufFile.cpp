#include "EufFile.h"

#include <cstring>
#include <limits>

#include "ByteOrder.h"

namespace moji {

namespace {
// Positions inside the management block.
constexpr std::size_t kDataEndAt = 6;
constexpr std::size_t kFirstRecordAt = 14;
}  // namespace

std::size_t euf::BitmapBytes(int width, int height) {
  if (width <= 0 || height <= 0 || width % 16 != 0) return 0;
  const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) / 8;
  return n <= kMaxBitmapBytes ? n : 0;
}

int CEufFile::Open(const std::filesystem::path& path, CBinaryFile::Access access) {
  Close();
  auto file = CBinaryFile::Open(path, access);
  if (!file) return euf::kMsgOpenFailed;
  return Load(std::move(file));
}

int CEufFile::Load(std::unique_ptr<CByteSource> source) {
  Close();
  std::uint8_t header[euf::kHeaderSize];
  if (!source->ReadExact(0, header, sizeof header) ||
      std::memcmp(header, euf::kSignature.data(), euf::kSignature.size()) != 0)
    return euf::kMsgNotEuf;

  const std::uint32_t anchor = Le32(&header[euf::kAnchorOffset]);
  const std::uint32_t blockAt = anchor - 6;  // unsigned: an anchor below 6 fails here too
  if (!(source->Size() > blockAt) || !source->ReadExact(blockAt, m_block.data(), m_block.size()))
    return euf::kMsgBlockUnreadable;

  const int first = Le16(&m_block[0]);
  const int last = Le16(&m_block[2]);
  const int count = last - first + 1;
  if (count <= 0) return euf::kMsgInternalError;
  std::vector<std::uint8_t> raw(static_cast<std::size_t>(count) * 4);
  if (!source->ReadExact(std::uint64_t{anchor} + 14, raw.data(), raw.size())) return euf::kMsgInternalError;

  m_table.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) m_table[i] = Le32(&raw[static_cast<std::size_t>(i) * 4]);
  m_anchor = anchor;
  m_firstCode = first;
  m_lastCode = last;

  std::uint8_t rec[euf::kRecordHeaderSize];
  const std::uint64_t firstPos = std::uint64_t{anchor} + m_table[0];
  if (firstPos < source->Size() && source->ReadExact(firstPos, rec, sizeof rec)) {
    const int width = Le16(&rec[4]);
    const int height = Le16(&rec[6]);
    if (width <= 0 || height <= 0 || width > euf::kMaxGlyphSide || height > euf::kMaxGlyphSide) {
      Close();
      return euf::kMsgInternalError;
    }
    m_glyphSize = std::make_pair(width, height);
  }
  m_source = std::move(source);
  return 0;
}

void CEufFile::Close() {
  m_source.reset();
  m_table.clear();
  m_block.fill(0);
  m_anchor = 0;
  m_firstCode = 0;
  m_lastCode = -1;
  m_glyphSize.reset();
  m_added = 0;
}

std::uint32_t CEufFile::DataEnd() const { return Le32(&m_block[kDataEndAt]); }
std::uint32_t CEufFile::FirstRecordOffset() const { return Le32(&m_block[kFirstRecordAt]); }

std::uint32_t CEufFile::Entry(int code) const {
  if (!IsLoaded() || code < m_firstCode || code > m_lastCode) return 0;
  return m_table[static_cast<std::size_t>(code - m_firstCode)];
}

EufReadResult CEufFile::ReadGlyph(int code, EufGlyph& out) {
  out.width = out.height = 0;
  out.bits.clear();  // keeps its capacity: scanning every glyph reuses one buffer
  EufReadResult r;
  r.entry = Entry(code);
  if (r.entry == 0) return r;

  const std::uint64_t pos = std::uint64_t{m_anchor} + r.entry;
  const std::uint64_t size = m_source->Size();
  auto fail = [&](EufReadFault fault, std::uint64_t detail) {
    r.fault = fault;
    r.detail = detail;
    return r;
  };
  if (!(size > pos)) return fail(EufReadFault::HeaderPosition, pos);
  std::uint8_t rec[euf::kRecordHeaderSize];
  if (!m_source->ReadExact(pos, rec, sizeof rec)) return fail(EufReadFault::HeaderRead, pos);
  const int width = Le16(&rec[4]);
  const int height = Le16(&rec[6]);
  const std::size_t n = euf::BitmapBytes(width, height);
  if (n == 0) return fail(EufReadFault::BufferSize, static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) / 8);
  if (size < pos + n) return fail(EufReadFault::DataPosition, pos + n);
  out.bits.resize(n);
  if (!m_source->ReadExact(pos + euf::kRecordHeaderSize, out.bits.data(), n)) {
    out.bits.clear();
    return fail(EufReadFault::DataRead, pos + euf::kRecordHeaderSize);
  }
  out.width = width;
  out.height = height;
  r.fault = EufReadFault::None;
  return r;
}

bool CEufFile::AddGlyph(int code, int width, int height, std::span<const std::uint8_t> bits) {
  if (!IsLoaded() || code < m_firstCode || code > m_lastCode) return false;
  const std::size_t n = euf::BitmapBytes(width, height);
  if (n == 0 || bits.size() != n) return false;
  const std::uint32_t recordSize = static_cast<std::uint32_t>(n + euf::kRecordHeaderSize);

  std::uint32_t at;
  std::uint32_t dataEnd = DataEnd();
  if (m_added == 0) {
    m_table[0] = 0;
    at = FirstRecordOffset();
    // A record larger than the template's must not run into the next appended one.
    if (std::uint64_t{at} + recordSize > dataEnd) dataEnd = at + recordSize;
  } else {
    at = dataEnd;
    dataEnd += recordSize;
  }
  if (std::uint64_t{at} + recordSize > std::numeric_limits<std::uint32_t>::max() - m_anchor) return false;

  std::vector<std::uint8_t> record(recordSize);
  PutLe32(&record[0], recordSize);
  PutLe16(&record[4], static_cast<std::uint16_t>(width));
  PutLe16(&record[6], static_cast<std::uint16_t>(height));
  std::memcpy(&record[euf::kRecordHeaderSize], bits.data(), n);
  if (!m_source->WriteAt(std::uint64_t{m_anchor} + at, record.data(), record.size())) return false;

  m_table[static_cast<std::size_t>(code - m_firstCode)] = at;
  PutLe32(&m_block[kDataEndAt], dataEnd);
  ++m_added;
  return true;
}

bool CEufFile::Commit() {
  if (!IsLoaded()) return false;
  if (m_added == 0) return true;
  std::vector<std::uint8_t> out(euf::kBlockSize + m_table.size() * 4);
  std::memcpy(out.data(), m_block.data(), euf::kBlockSize);
  for (std::size_t i = 0; i < m_table.size(); ++i) PutLe32(&out[euf::kBlockSize + i * 4], m_table[i]);
  return m_source->WriteAt(std::uint64_t{m_anchor} - 6, out.data(), out.size());
}

}  // namespace moji
