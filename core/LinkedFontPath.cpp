#include "LinkedFontPath.h"

namespace moji {
namespace {

// Letter case as file names on Windows ignore it: ASCII, Latin-1 and full-width Latin.
char16_t FoldCase(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7)) return static_cast<char16_t>(c + 0x20);
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 0x20);
  return c;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

std::u16string FolderAndName(std::u16string_view folder, std::u16string_view name) {
  std::u16string out(folder);
  if (out.empty() || out.back() != u'\\') out += u'\\';
  out += name;
  return out;
}

}  // namespace

std::u16string MakeLinkedFontPath(std::u16string_view storedName, std::u16string_view fontsFolder, bool tte) {
  const std::u16string_view stem = storedName.size() > 3 ? storedName.substr(0, storedName.size() - 3) : std::u16string_view();
  const bool unc = stem.size() > 1 && stem[0] == u'\\' && stem[1] == u'\\';
  std::u16string out = stem.size() > 1 && stem[1] != u':' && !unc ? FolderAndName(fontsFolder, stem) : std::u16string(stem);
  out += tte ? u"TTE" : u"EUF";
  return out;
}

std::u16string LinkStoredForm(std::u16string_view shownPath, std::u16string_view fontsFolder) {
  const std::size_t slash = shownPath.find_last_of(u"\\/");
  const std::u16string_view name = slash == std::u16string_view::npos ? shownPath : shownPath.substr(slash + 1);
  if (!fontsFolder.empty() && !name.empty() && EqualIgnoringCase(shownPath, FolderAndName(fontsFolder, name)))
    return std::u16string(name);
  return std::u16string(shownPath);
}

}  // namespace moji
