// A fresh copy of the program folder for one scenario, so that each scenario starts with
// its own settings file and TEMP folder and leaves them behind for inspection.
#pragma once

#include <filesystem>
#include <string>

namespace moji::gui {

class CScenarioFolder {
 public:
  // Ends programs still running from an earlier run of `folder`, empties it and copies the
  // files of `programFolder` into it: programs and templates, but not the state that
  // running the programs in place leaves there (settings file, readings copy, TEMP\).
  bool Prepare(const std::filesystem::path& programFolder, const std::filesystem::path& folder);
  // Copies one more file (a fake target, a font) into the folder under its own name.
  bool AddFile(const std::filesystem::path& source);

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path File(const std::wstring& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

}  // namespace moji::gui
