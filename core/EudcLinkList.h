// The user's EUDC links as the link list shows them: one row per link value of code page
// 932, the link for all typefaces first, each resolved to the TTE it names and judged by
// what lies on disk; and the removal of per-typeface links through the link switcher.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace moji {

class CEudcLinkSwitcher;

enum class EudcLinkState {
  Ok,
  FileMissing,  // the TTE does not exist: the link is broken
  EufMissing,   // the TTE exists, but no EUF lies beside it
};

struct EudcLinkRow {
  std::u16string face;         // the value's name
  std::u16string value;        // its text as stored
  std::filesystem::path tte;   // the file it resolves to
  EudcLinkState state = EudcLinkState::Ok;
  bool allTypefaces = false;   // the link for all typefaces: only the link change command changes it
  bool operator==(const EudcLinkRow&) const = default;
};

using FileExists = std::function<bool(const std::filesystem::path&)>;
// std::filesystem's answer; false on any error.
bool FileExistsOnDisk(const std::filesystem::path& path);

// `value` resolved by the rule of the link change (MakeLinkedFontPath: a value without a
// drive or UNC folder lies in `fontsFolder`) and judged: FileMissing when its TTE does not
// exist, EufMissing when the TTE exists and the EUF of the same name does not.
EudcLinkRow ResolveEudcLink(const std::u16string& face, const std::u16string& value, std::u16string_view fontsFolder,
                            const FileExists& exists);

// Every link value of `link`: the link for all typefaces (its name in any letter case, as
// value names ignore it) first, the others in the store's order. A value that is gone or
// is no text by the time it is read is left out.
std::vector<EudcLinkRow> ReadEudcLinks(CEudcLinkSwitcher& link, std::u16string_view fontsFolder,
                                       const FileExists& exists = FileExistsOnDisk);

struct EudcLinkCounts {
  int links = 0;
  int broken = 0;  // rows whose TTE is missing, the link for all typefaces included
  bool operator==(const EudcLinkCounts&) const = default;
};
EudcLinkCounts CountEudcLinks(const std::vector<EudcLinkRow>& rows);

// The per-typeface links whose TTE is missing, in row order.
std::vector<EudcLinkRow> BrokenFaceLinks(const std::vector<EudcLinkRow>& rows);

struct FailedRemoval {
  std::u16string face;
  int result = 0;
  bool operator==(const FailedRemoval&) const = default;
};

// Removes the link of each row's typeface (SwitchEudc with an empty TTE), in order; a row of
// the link for all typefaces is skipped. Returns the removals that did not succeed.
std::vector<FailedRemoval> RemoveFaceLinks(CEudcLinkSwitcher& link, const std::vector<EudcLinkRow>& rows);

}  // namespace moji
