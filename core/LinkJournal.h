// The record of a temporary EUDC link that is still in force: which link values were changed
// and what they held before, written before the first change and removed after the undo.
// A process that is killed, crashes or loses power between the two leaves its record behind;
// the next start of either program finds the records of processes that no longer run and
// puts back what they say.
//
// One file per process, "EudcLink-<process id>.jnl" in the journal folder, UTF-8 text:
//
//   MojiEudcLinkJournal 1
//   process <id> <start time>
//   link <target>\t<value>        the value to put back
//   nolink <target>               the value did not exist: it is deleted again
//
// Targets and values escape '%', TAB, CR and LF as %25, %09, %0D, %0A. The file comes from
// disk and is read as untrusted: a record that does not parse exactly is left alone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moji {

class CEudcLinkSwitcher;
class CLogSink;

// A process, told apart from a later one with the same id by its start time.
struct ProcessStamp {
  std::uint32_t id = 0;
  std::uint64_t start = 0;
  bool operator==(const ProcessStamp&) const = default;
};

// One link value as it was before a temporary change: its text, or nothing when the value did
// not exist.
struct SavedLink {
  std::u16string target;
  std::optional<std::u16string> value;
  bool operator==(const SavedLink&) const = default;
};

struct LinkJournalRecord {
  ProcessStamp process;
  std::vector<SavedLink> links;  // put back in this order
  bool operator==(const LinkJournalRecord&) const = default;
};

inline constexpr std::size_t kMaxJournalBytes = 64 * 1024;
inline constexpr std::size_t kMaxJournalLinks = 16;

std::string FormatLinkJournal(const LinkJournalRecord& record);
// Nothing unless `text` is a whole, well-formed record of at most kMaxJournalLinks links.
std::optional<LinkJournalRecord> ParseLinkJournal(std::string_view text);

// Sets each saved link back through `link`, in order: a saved text is set again (the link for
// all typefaces is reset first, as every change of it is), a missing value is removed.
void RestoreLinks(CEudcLinkSwitcher& link, const std::vector<SavedLink>& saved);

class CLinkJournal {
 public:
  CLinkJournal(std::filesystem::path folder, ProcessStamp self);

  // Records `links` as this process's pending restore (the folder is made when missing); the
  // file is replaced atomically. False when it could not be written.
  bool Write(const std::vector<SavedLink>& links);
  // The restore is done: the record goes.
  void Remove();
  std::filesystem::path Path() const;

  // Puts back what the records in `folder` of processes that no longer run say and removes
  // those records; each restore is logged. Records of running processes and files that are
  // not records stay. Returns the records restored.
  static std::vector<LinkJournalRecord> RepairStale(const std::filesystem::path& folder, CEudcLinkSwitcher& link,
                                                    const std::function<bool(const ProcessStamp&)>& isRunning,
                                                    CLogSink& log);

 private:
  std::filesystem::path m_folder;
  ProcessStamp m_self;
};

}  // namespace moji
