// The readings of a store as a word list for the dictionary tools of the common Japanese input
// methods: UTF-16LE with a byte-order mark, one line per reading record in store order:
// reading, TAB, the gaiji, TAB, "単漢字", CRLF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace moji {

// The bytes of the word list of `records` (46-byte reading records back to back). Records
// with an empty reading or a code outside U+E000..U+F8FF give no line; a remainder shorter
// than a record is ignored. `lines` receives the number of lines written.
std::vector<std::uint8_t> MakeYomiDictionaryText(std::span<const std::uint8_t> records, std::size_t& lines);

// Writes the word list to `target` atomically (the previous file stays whole on failure).
bool WriteYomiDictionary(const std::filesystem::path& target, std::span<const std::uint8_t> records,
                         std::size_t& lines);

}  // namespace moji
