#include "FileReplace.h"

#include <system_error>

#include "BinaryFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace moji {

namespace {

enum class Claim { Created, Exists, Failed };

Claim ClaimName(const std::filesystem::path& path) {
#ifdef _WIN32
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return Claim::Created;
  }
  const DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Claim::Exists : Claim::Failed;
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    ::close(fd);
    return Claim::Created;
  }
  return errno == EEXIST ? Claim::Exists : Claim::Failed;
#endif
}

}  // namespace

std::optional<std::filesystem::path> CreateUniqueFile(const std::filesystem::path& folder,
                                                      const std::u16string& prefix,
                                                      const std::u16string& suffix, unsigned first) {
  // A bounded search: a folder holding this many leftovers is treated as unusable.
  constexpr unsigned kAttempts = 100000;
  for (unsigned i = 0; i < kAttempts; ++i) {
    const std::u16string name = prefix + std::filesystem::path(std::to_string(first + i)).u16string() + suffix;
    const std::filesystem::path candidate = folder / std::filesystem::path(name);
    switch (ClaimName(candidate)) {
      case Claim::Created: return candidate;
      case Claim::Exists: continue;
      case Claim::Failed: return std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> CreateTempBeside(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  return CreateUniqueFile(folder, u"~" + target.filename().u16string() + u".", u".tmp");
}

bool ReplaceFileWith(const std::filesystem::path& from, const std::filesystem::path& target) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from.c_str(), target.c_str()) == 0;
#endif
}

bool WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> data) {
  const auto temp = CreateTempBeside(target);
  if (!temp) return false;
  bool ok = false;
  {
    auto file = CBinaryFile::Open(*temp, CBinaryFile::Access::ReadWrite);
    ok = file && (data.empty() || file->WriteAt(0, data.data(), data.size())) && file->Flush();
  }
  ok = ok && ReplaceFileWith(*temp, target);
  if (!ok) {
    std::error_code ec;
    std::filesystem::remove(*temp, ec);
  }
  return ok;
}

}  // namespace moji
