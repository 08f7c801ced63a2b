// The file of the configured default EUDC font (setting DefaultEudcFont), with a chosen
// extension. A bare file name lies in the system fonts folder; a path with a drive letter
// or a UNC path (\\server\share\...) is kept where it is.
#pragma once

#include <string>
#include <string_view>

namespace moji {

// Drops the last three characters of `storedName` (its extension; the dot stays). When more
// than one character remains, the second is not ":" and it does not begin with "\\",
// prefixes `fontsFolder` and "\".
// Appends "TTE" when `tte` is set, else "EUF".
//   EUDC.TTE        → <fontsFolder>\EUDC.TTE
//   D:\gaiji\my.tte → D:\gaiji\my.TTE
//   X               → TTE (nothing left to place in a folder)
std::u16string MakeLinkedFontPath(std::u16string_view storedName, std::u16string_view fontsFolder, bool tte);

// The form in which the link change stores a TTE (registry link and DefaultEudcFont): its
// bare file name when `shownPath` lies directly in `fontsFolder` (the path equals the folder,
// "\" and the name, compared without regard to letter case), else `shownPath` as it is.
std::u16string LinkStoredForm(std::u16string_view shownPath, std::u16string_view fontsFolder);

}  // namespace moji
