#include "ScenarioFolder.h"

#include <windows.h>

#include <array>
#include <system_error>

#include "TargetProcess.h"

namespace moji::gui {
namespace {

// What the programs create in their folder while they run.
bool IsRunState(const std::filesystem::path& name) {
  static constexpr std::array<const wchar_t*, 2> kStateFiles = {L"Mojiview.ini", L"_OldEudc.ymi"};
  for (const wchar_t* state : kStateFiles) {
    if (CompareStringOrdinal(name.c_str(), -1, state, -1, TRUE) == CSTR_EQUAL) return true;
  }
  return false;
}

}  // namespace

bool CScenarioFolder::Prepare(const std::filesystem::path& programFolder, const std::filesystem::path& folder) {
  m_path = std::filesystem::absolute(folder).lexically_normal();
  std::error_code ec;
  if (std::filesystem::exists(m_path, ec)) {
    TerminateProcessesIn(m_path);
    std::filesystem::remove_all(m_path, ec);
    if (ec) return false;
  }
  if (!std::filesystem::create_directories(m_path, ec)) return false;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder, ec)) {
    if (!entry.is_regular_file() || IsRunState(entry.path().filename())) continue;
    std::filesystem::copy_file(entry.path(), m_path / entry.path().filename(), ec);
    if (ec) return false;
  }
  return !ec;
}

bool CScenarioFolder::AddFile(const std::filesystem::path& source) {
  std::error_code ec;
  std::filesystem::copy_file(source, m_path / source.filename(), std::filesystem::copy_options::overwrite_existing,
                             ec);
  return !ec;
}

}  // namespace moji::gui
