// Window placement as stored in the settings file: "left:top:right:bottom", four signed
// decimal integers in screen coordinates. A stored text counts only when all four fields
// are present; otherwise the key's defaults apply.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace moji {

struct Placement {
  int left = 40;
  int top = 40;
  int right = -1;
  int bottom = -1;

  friend bool operator==(const Placement&, const Placement&) = default;
};

// The defaults of both main windows' placement keys: left 40, top 40, right -1, bottom -1.
inline constexpr Placement kDefaultPlacement{};

// Four colon-separated integers, each optionally preceded by blanks and a sign; text after
// the fourth field is ignored. Nothing when a field is missing, malformed or out of range.
std::optional<Placement> ParsePlacement(std::u16string_view text);

// ParsePlacement, or `defaults` when the text does not give four fields (also when empty).
Placement ParsePlacementOr(std::u16string_view text, const Placement& defaults = kDefaultPlacement);

// "%i:%i:%i:%i" of left, top, right, bottom.
std::u16string FormatPlacement(const Placement& placement);

// The save rule: a placement is written only when one of its four values differs from the
// stored one (the stored one read with its defaults).
inline bool PlacementNeedsSave(const Placement& stored, const Placement& current) { return !(stored == current); }

}  // namespace moji
