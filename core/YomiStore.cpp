#include "YomiStore.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <stdexcept>
#include <system_error>

#include "BinaryFile.h"
#include "FileReplace.h"
#include "GaijiCode.h"
#include "QSortOfMemBlk.h"
#include "StartTarget.h"

namespace moji {

namespace fs = std::filesystem;

namespace {

bool IsTerminator(const std::uint8_t* record) { return record[0] == 0 && record[1] == 0; }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A zeroed block with room for `records` records; false when the memory is not there.
bool Allocate(std::vector<std::uint8_t>& block, std::size_t records) {
  try {
    block.clear();
    block.reserve(records * kYomiRecordSize);
    return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  return false;
}

// Creates the file when it is missing, never truncating one that exists.
bool CreateIfMissing(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return true;
  std::ofstream out(path, std::ios::binary | std::ios::app);
  return static_cast<bool>(out);
}

}  // namespace

int YomiRecordCode(const std::uint8_t* record) { return record[0] << 8 | record[1]; }

std::u16string YomiRecordReading(const std::uint8_t* record) {
  std::u16string text;
  for (std::size_t i = 2; i < kYomiRecordSize; i += 2) {
    const char16_t unit = static_cast<char16_t>(record[i] | record[i + 1] << 8);
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

void MakeYomiRecord(std::uint8_t* record, int code, std::u16string_view reading) {
  std::fill(record, record + kYomiRecordSize, std::uint8_t{0});
  record[0] = static_cast<std::uint8_t>(code >> 8 & 0xFF);
  record[1] = static_cast<std::uint8_t>(code & 0xFF);
  std::size_t length = std::min(reading.size(), kYomiMaxChars);
  if (length < reading.size() && length > 0 && IsHighSurrogate(reading[length - 1]) && IsLowSurrogate(reading[length]))
    --length;  // keep the pair whole by leaving it out
  for (std::size_t i = 0; i < length; ++i) {
    record[2 + 2 * i] = static_cast<std::uint8_t>(reading[i] & 0xFF);
    record[3 + 2 * i] = static_cast<std::uint8_t>(reading[i] >> 8);
  }
}

fs::path YomiFilePath(const fs::path& shownPath) { return fs::path(DerivedPath(shownPath.u16string(), u"ymi")); }

CYomiStore::CYomiStore(CPrompter& prompter, MaxCountProvider maxCount, bool manage)
    : m_prompter(prompter), m_maxCount(std::move(maxCount)), m_manage(manage) {}

std::size_t CYomiStore::MaxCount() const {
  const int n = m_maxCount ? m_maxCount() : kDefaultMaxCount;
  if (n <= 0) return kDefaultMaxCount;
  return static_cast<std::size_t>(std::min(n, kMaxCountLimit));
}

void CYomiStore::Free() {
  m_records.clear();
  m_records.shrink_to_fit();
  m_hasStore = false;
  m_changed = false;
}

bool CYomiStore::LoadReadings(const fs::path& shownPath) {
  SaveReadings(false);
  m_path = YomiFilePath(shownPath);
  if (!m_manage) return false;
  const std::size_t capacity = MaxCount();

  std::error_code ec;
  if (!fs::exists(m_path, ec) && !m_prompter.AskYesNo(kMsgYomiAskManage, {shownPath.u16string()})) return false;

  std::vector<std::uint8_t> block;
  if (!Allocate(block, capacity)) {
    m_prompter.Show(kMsgYomiNoMemory, {});
    return false;
  }
  std::unique_ptr<CBinaryFile> file;
  if (CreateIfMissing(m_path)) file = CBinaryFile::Open(m_path, CBinaryFile::Access::ReadWrite);
  if (!file) {
    m_prompter.Show(kMsgYomiOpenFailed, {});
    return false;
  }
  std::uint8_t record[kYomiRecordSize];
  for (std::uint64_t i = 0; file->ReadExact(i * kYomiRecordSize, record, kYomiRecordSize); ++i) {
    if (IsTerminator(record)) break;
    if (i >= capacity) {
      m_prompter.Show(kMsgYomiTooMany, {});
      break;
    }
    block.insert(block.end(), record, record + kYomiRecordSize);
  }
  m_records = std::move(block);
  m_hasStore = true;
  m_changed = false;
  return Count() > 0;
}

void CYomiStore::SaveReadings(bool keep) {
  if (m_hasStore && m_changed) {
    if (WriteFileAtomically(m_path, m_records)) m_changed = false;
    else m_prompter.Show(kMsgYomiSaveFailed, {});
  }
  if (!keep) Free();
}

template <typename Visit>
void CYomiStore::ForEachReading(int code, Visit visit) const {
  if (!m_hasStore || !IsUnicodeGaiji(code)) return;
  bool matched = false;
  for (std::size_t at = 0; at + kYomiRecordSize <= m_records.size(); at += kYomiRecordSize) {
    const std::uint8_t* record = m_records.data() + at;
    if (YomiRecordCode(record) == code) {
      matched = true;
      visit(YomiRecordReading(record));
    } else if (matched) {
      break;
    }
  }
}

std::u16string CYomiStore::GetReadings(int code) const {
  std::u16string text;
  bool first = true;
  ForEachReading(code, [&](std::u16string reading) {
    if (!first) text += u',';
    text += reading;
    first = false;
  });
  return text;
}

std::vector<std::u16string> CYomiStore::GetReadingList(int code) const {
  std::vector<std::u16string> list;
  ForEachReading(code, [&](std::u16string reading) { list.push_back(std::move(reading)); });
  return list;
}

bool CYomiStore::ReplaceReadings(int code, const std::vector<std::u16string>& readings) {
  if (!m_hasStore || !IsUnicodeGaiji(code)) return false;
  const std::size_t capacity = MaxCount();
  std::vector<std::uint8_t> work;
  if (!Allocate(work, capacity)) {
    m_prompter.Show(kMsgYomiNoMemory, {});
    return false;
  }
  std::size_t count = 0;
  auto tooMany = [&] {
    m_prompter.Show(kMsgYomiTooMany, {});
    return false;
  };
  for (std::size_t at = 0; at + kYomiRecordSize <= m_records.size(); at += kYomiRecordSize) {
    const std::uint8_t* record = m_records.data() + at;
    if (YomiRecordCode(record) == code) continue;
    // The capacity may have been lowered in the settings since the store was loaded.
    if (count == capacity) return tooMany();
    work.insert(work.end(), record, record + kYomiRecordSize);
    ++count;
  }
  for (const std::u16string& reading : readings) {
    if (count == capacity) return tooMany();
    std::uint8_t record[kYomiRecordSize];
    MakeYomiRecord(record, code, reading);
    work.insert(work.end(), record, record + kYomiRecordSize);
    ++count;
  }
  CQSortOfMemBlk(nullptr, work, count, kYomiRecordSize, 0, kYomiRecordSize).Sort();
  m_records = std::move(work);
  m_changed = true;
  return true;
}

}  // namespace moji
