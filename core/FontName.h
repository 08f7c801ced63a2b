// The family name of a TrueType font, read from its `name` table (name ID 1): the name under
// which the system selects the font once it is loaded. Every offset and length comes from
// the file and is checked against the file and the table before it is used.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ByteSource.h"

namespace moji {

// Preference among the family-name records: Windows platform in US English, then any other
// Windows or Unicode-platform record, then a Macintosh Roman record made of ASCII only.
// Nothing when the source is no TrueType font or has no usable family name.
std::optional<std::u16string> ReadFontFamilyName(CByteSource& source);
std::optional<std::u16string> ReadFontFamilyName(const std::filesystem::path& path);

}  // namespace moji
