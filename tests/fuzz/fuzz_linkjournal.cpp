// Any byte string as a link journal: a record that parses formats back to text that parses
// to the same record, and stays within its bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "LinkJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto record = moji::ParseLinkJournal(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!record) return 0;
  if (record->links.size() > moji::kMaxJournalLinks) __builtin_trap();
  for (const moji::SavedLink& link : record->links)
    if (link.target.empty()) __builtin_trap();
  if (moji::ParseLinkJournal(moji::FormatLinkJournal(*record)) != record) __builtin_trap();
  return 0;
}
