#include "FullPath.h"

#include <windows.h>

namespace moji {

std::filesystem::path FullPath(const std::wstring& name) {
  if (name.empty()) return {};
  std::wstring full;
  // The first call gives the length with its terminator; the current folder may change
  // between the calls, so ask again while the answer does not fit.
  DWORD needed = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  while (needed != 0) {
    full.resize(needed);
    const DWORD written = ::GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
    if (written == 0) break;
    if (written < needed) {
      full.resize(written);
      return std::filesystem::path(full);
    }
    needed = written;
  }
  return std::filesystem::path(name);
}

}  // namespace moji
