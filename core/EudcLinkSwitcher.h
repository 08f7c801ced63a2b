// Changing the user's EUDC font links from portable code: the one switch operation (TTE,
// target, code page → 0 or a negative failure number) behind an interface, and the two call
// sequences that link a TTE to one typeface for a while and undo that link again.
#pragma once

#include <string>

namespace moji {

inline constexpr char16_t kLinkAllTypefaces[] = u"SystemDefaultEUDCFont";
inline constexpr char16_t kLinkCodePage[] = u"932";

class CEudcLinkSwitcher {
 public:
  virtual ~CEudcLinkSwitcher() = default;
  // Sets the link value `target` of the code page to `tte`; an empty tte resets the link
  // for all typefaces to the system's default or deletes a typeface's link. 0 on success.
  virtual int SwitchEudc(const std::u16string& tte, const std::u16string& target, const std::u16string& codePage) = 0;
};

// The link for all typefaces back to the system default, then `tte` linked to `face` only.
// Returns the result of the second call: 0 when the TTE is linked.
int LinkTemporarily(CEudcLinkSwitcher& link, const std::u16string& tte, const std::u16string& face);

// Removes the link of `face`, resets the link for all typefaces and sets it to
// `defaultEudcFont`. Results are ignored: every step is tried.
void UndoTemporaryLink(CEudcLinkSwitcher& link, const std::u16string& face, const std::u16string& defaultEudcFont);

}  // namespace moji
