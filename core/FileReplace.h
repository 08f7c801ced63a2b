// Writing user files safely: new content goes to a file beside the target whose name was
// claimed exclusively, and replaces the target in one rename once it is complete. A crash or
// a full disk therefore leaves either the old file or the new one, never a half-written file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace moji {

// Creates a new empty file named prefix + counter + suffix in folder, taking the first
// counter from `first` on whose name does not exist yet. The creation is exclusive, so two
// processes can never obtain the same name. Nothing when the folder is not writable.
std::optional<std::filesystem::path> CreateUniqueFile(const std::filesystem::path& folder,
                                                      const std::u16string& prefix,
                                                      const std::u16string& suffix = u"",
                                                      unsigned first = 0);

// Removes a leftover file: one that no process holds open. A writer holds its temporary file
// open until it is complete (on Windows without delete sharing, natively with a lock), so a
// file that cannot be removed is still in use. True when the file is gone.
bool RemoveIfStale(const std::filesystem::path& path);

// CreateUniqueFile for temporary files: first removes the leftovers of the same naming
// (prefix, decimal number, suffix) in folder that no process holds open, such as those of a
// process killed in the middle, then claims a name.
std::optional<std::filesystem::path> ClaimTempFile(const std::filesystem::path& folder, const std::u16string& prefix,
                                                   const std::u16string& suffix = u"");

// A claimed temporary name beside target (same folder, so the final rename stays on one
// volume): "~<name>.<n>.tmp", leftovers of earlier runs removed (ClaimTempFile).
std::optional<std::filesystem::path> CreateTempBeside(const std::filesystem::path& target);

// Moves `from` over `target`, replacing an existing target in one step.
bool ReplaceFileWith(const std::filesystem::path& from, const std::filesystem::path& target);

// Writes data to a temporary file beside target, flushes it to disk and replaces the target.
// On failure the target is untouched and the temporary file is removed.
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> data);

}  // namespace moji
