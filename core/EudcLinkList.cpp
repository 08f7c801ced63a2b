#include "EudcLinkList.h"

#include <algorithm>
#include <system_error>

#include "EudcLinkSwitcher.h"
#include "LinkedFontPath.h"

namespace moji {
namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c; }

bool IsAllTypefacesName(std::u16string_view name) {
  const std::u16string_view all(kLinkAllTypefaces);
  return std::equal(name.begin(), name.end(), all.begin(), all.end(),
                    [](char16_t a, char16_t b) { return AsciiLower(a) == AsciiLower(b); });
}

}  // namespace

bool FileExistsOnDisk(const std::filesystem::path& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(path, error);
}

EudcLinkRow ResolveEudcLink(const std::u16string& face, const std::u16string& value, std::u16string_view fontsFolder,
                            const FileExists& exists) {
  EudcLinkRow row{face, value, std::filesystem::path(MakeLinkedFontPath(value, fontsFolder, true)),
                  EudcLinkState::Ok, IsAllTypefacesName(face)};
  if (!exists(row.tte))
    row.state = EudcLinkState::FileMissing;
  else if (!exists(std::filesystem::path(MakeLinkedFontPath(value, fontsFolder, false))))
    row.state = EudcLinkState::EufMissing;
  return row;
}

std::vector<EudcLinkRow> ReadEudcLinks(CEudcLinkSwitcher& link, std::u16string_view fontsFolder,
                                       const FileExists& exists) {
  std::vector<EudcLinkRow> rows;
  for (const std::u16string& face : link.ListLinks(kLinkCodePage)) {
    const std::optional<std::u16string> value = link.QueryLink(face, kLinkCodePage);
    if (value) rows.push_back(ResolveEudcLink(face, *value, fontsFolder, exists));
  }
  std::stable_partition(rows.begin(), rows.end(), [](const EudcLinkRow& row) { return row.allTypefaces; });
  return rows;
}

EudcLinkCounts CountEudcLinks(const std::vector<EudcLinkRow>& rows) {
  const auto broken = std::count_if(rows.begin(), rows.end(),
                                    [](const EudcLinkRow& row) { return row.state == EudcLinkState::FileMissing; });
  return {static_cast<int>(rows.size()), static_cast<int>(broken)};
}

std::vector<EudcLinkRow> BrokenFaceLinks(const std::vector<EudcLinkRow>& rows) {
  std::vector<EudcLinkRow> broken;
  std::copy_if(rows.begin(), rows.end(), std::back_inserter(broken),
               [](const EudcLinkRow& row) { return !row.allTypefaces && row.state == EudcLinkState::FileMissing; });
  return broken;
}

std::vector<FailedRemoval> RemoveFaceLinks(CEudcLinkSwitcher& link, const std::vector<EudcLinkRow>& rows) {
  std::vector<FailedRemoval> failed;
  for (const EudcLinkRow& row : rows) {
    if (row.allTypefaces || IsAllTypefacesName(row.face)) continue;  // its reset is the link change's
    const int result = link.SwitchEudc(u"", row.face, kLinkCodePage);
    if (result != 0) failed.push_back({row.face, result});
  }
  return failed;
}

}  // namespace moji
