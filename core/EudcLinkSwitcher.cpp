#include "EudcLinkSwitcher.h"

namespace moji {

int LinkTemporarily(CEudcLinkSwitcher& link, const std::u16string& tte, const std::u16string& face) {
  link.SwitchEudc(u"", kLinkAllTypefaces, kLinkCodePage);
  return link.SwitchEudc(tte, face, kLinkCodePage);
}

void UndoTemporaryLink(CEudcLinkSwitcher& link, const std::u16string& face, const std::u16string& defaultEudcFont) {
  link.SwitchEudc(u"", face, kLinkCodePage);
  link.SwitchEudc(u"", kLinkAllTypefaces, kLinkCodePage);
  link.SwitchEudc(defaultEudcFont, kLinkAllTypefaces, kLinkCodePage);
}

}  // namespace moji
