// Helpers shared by the Win32 core tests: a private scratch folder, whole-file reads and the
// benchmarks' timing.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace moji::test {

// A fresh, empty folder under the temporary folder, removed again by the destructor.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path = std::filesystem::path(temp) / (L"moji_core_" + name + L"_" + std::to_wstring(GetCurrentProcessId()));
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
    std::filesystem::create_directories(m_path);
  }
  ~ScratchFolder() {
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, error))
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(m_path, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  // The folder with a trailing backslash, as the programs name their folder.
  std::wstring Folder() const { return m_path.wstring() + L"\\"; }
  std::filesystem::path operator/(const std::wstring& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The best of `runs` runs of `work`, in milliseconds.
inline double BestMilliseconds(const std::function<void()>& work, int runs) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace moji::test
