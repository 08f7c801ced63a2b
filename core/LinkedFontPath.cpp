#include "LinkedFontPath.h"

namespace moji {

std::u16string MakeLinkedFontPath(std::u16string_view storedName, std::u16string_view fontsFolder, bool tte) {
  const std::u16string_view stem = storedName.size() > 3 ? storedName.substr(0, storedName.size() - 3) : std::u16string_view();
  std::u16string out;
  if (stem.size() > 1 && stem[1] != u':') {
    out = fontsFolder;
    if (out.empty() || out.back() != u'\\') out += u'\\';
  }
  out += stem;
  out += tte ? u"TTE" : u"EUF";
  return out;
}

}  // namespace moji
