// Readings (yomi) of the gaiji of one font, kept in a reading file beside it and held in
// memory while the font is shown.
//
// Reading file: nothing but 46-byte records, no header. A record holds the gaiji's code
// (high byte first) and 44 bytes of UTF-16LE text ending at the first zero unit or at the
// end of the field. A record whose code bytes are both 0 ends the sequence; a remainder
// shorter than a record is ignored. The records of one code lie next to each other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Prompter.h"

namespace moji {

constexpr std::size_t kYomiRecordSize = 46;
constexpr std::size_t kYomiTextBytes = 44;
constexpr std::size_t kYomiMaxChars = 10;  // readings are stored with at most 10 characters

// Messages of the reading store.
constexpr int kMsgYomiNoMemory = 4000;    // no memory for the store
constexpr int kMsgYomiAskManage = 4001;   // question, shown path: manage readings of this file?
constexpr int kMsgYomiOpenFailed = 4002;  // reading file cannot be opened
constexpr int kMsgYomiTooMany = 4003;     // capacity exceeded
constexpr int kMsgYomiSaveFailed = 4004;  // reading file could not be saved

// The code of a record: its first byte high, its second low.
int YomiRecordCode(const std::uint8_t* record);
// The reading of a record, up to its first zero unit (at most 22 units).
std::u16string YomiRecordReading(const std::uint8_t* record);
// Fills a record with the code and the first kYomiMaxChars characters of the reading
// (a surrogate pair is never split), the rest zero.
void MakeYomiRecord(std::uint8_t* record, int code, std::u16string_view reading);

// The reading file of a shown TTE or EUF path: its last three characters replaced by "ymi".
std::filesystem::path YomiFilePath(const std::filesystem::path& shownPath);

class CYomiStore {
 public:
  // Capacity N of the store, asked at each use (the settings file may change meanwhile).
  // Values that are not positive give kDefaultMaxCount; larger ones are cut to kMaxCountLimit.
  using MaxCountProvider = std::function<int()>;
  static constexpr int kDefaultMaxCount = 6400;
  static constexpr int kMaxCountLimit = 1000000;

  // `prompter` must outlive the store. `manage` is the reading management switch.
  CYomiStore(CPrompter& prompter, MaxCountProvider maxCount, bool manage = false);
  ~CYomiStore() = default;
  CYomiStore(const CYomiStore&) = delete;
  CYomiStore& operator=(const CYomiStore&) = delete;

  void SetManagement(bool on) { m_manage = on; }
  bool Management() const { return m_manage; }

  // Saves and frees the previous store, then loads the reading file of `shownPath`. With
  // management off nothing is loaded or created. A missing file is created empty once the
  // user answers Yes to 4001. True when at least one record was loaded; an empty file still
  // gives a store (false) to which readings can be added.
  bool LoadReadings(const std::filesystem::path& shownPath);

  // Writes a changed store to its file (atomically: a failed save leaves the previous file as
  // it was and shows 4004), then frees the store unless `keep` is set. A failed save of a
  // kept store stays marked as changed, so the next save tries again.
  void SaveReadings(bool keep);

  // The readings of `code` joined with "," in store order; empty without records or store.
  std::u16string GetReadings(int code) const;
  // The same readings one by one (the reading dialog's list).
  std::vector<std::u16string> GetReadingList(int code) const;

  // Replaces every record of `code` with one record per reading, in list order, each cut to
  // kYomiMaxChars characters, and sorts the store ascending as 46-byte byte strings. False,
  // leaving the store unchanged, without a store, for a code outside U+E000..U+F8FF, when the
  // records would exceed the capacity (4003) or when memory runs out (4000).
  bool ReplaceReadings(int code, const std::vector<std::u16string>& readings);

  bool HasStore() const { return m_hasStore; }
  bool IsChanged() const { return m_changed; }
  // The reading file of the last LoadReadings (also set when management is off).
  const std::filesystem::path& Path() const { return m_path; }
  // Records in use.
  std::size_t Count() const { return m_records.size() / kYomiRecordSize; }
  // The records in use, back to back, sorted; empty without a store.
  const std::vector<std::uint8_t>& Records() const { return m_records; }

 private:
  std::size_t MaxCount() const;
  void Free();
  // Calls `visit` with each reading of the first run of records of `code`.
  template <typename Visit>
  void ForEachReading(int code, Visit visit) const;

  CPrompter& m_prompter;
  MaxCountProvider m_maxCount;
  bool m_manage;
  bool m_hasStore = false;
  bool m_changed = false;
  std::filesystem::path m_path;
  std::vector<std::uint8_t> m_records;  // the records in use, back to back, no terminator
};

}  // namespace moji
