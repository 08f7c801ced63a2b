#include "GuiScenario.h"

#include <cctype>

namespace moji::gui {

std::filesystem::path CGuiScenario::ProgramFolder() { return MOJI_GUI_PROGRAM_DIR; }
std::filesystem::path CGuiScenario::ScreenshotFolder() { return MOJI_GUI_SCREENSHOT_DIR; }
std::filesystem::path CGuiScenario::FakeTargetProgram() { return MOJI_GUI_FAKE_TARGET; }

void CGuiScenario::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(info->test_suite_name()) + "." + info->name();
  m_name.clear();
  for (char c : name) m_name += (isalnum(static_cast<unsigned char>(c)) || c == '.') ? static_cast<wchar_t>(c) : L'_';

  wchar_t display[256];
  ASSERT_GT(GetEnvironmentVariableW(L"DISPLAY", display, 256), 0u)
      << "GUI scenarios need an X display: run them under xvfb-run (scripts/test.sh does)";
  ASSERT_TRUE(m_folder.Prepare(ProgramFolder(), std::filesystem::path(MOJI_GUI_SCENARIO_DIR) / m_name))
      << "cannot prepare the scenario folder from " << ProgramFolder();
  // The clipboard is shared by every program of the desktop: what an earlier scenario left
  // there would enable the browser's clipboard commands.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

void CGuiScenario::TearDown() {
  if (!m_screenshotTaken || HasFailure()) Screenshot(HasFailure() ? L"failed" : L"");
  if (!m_folder.Path().empty()) TerminateProcessesIn(m_folder.Path());
  m_processes.clear();
  // A program ended here in the middle of a temporary link leaves its journal, which the
  // next scenario's first start would act on: like the clipboard, it is this scenario's own.
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(JournalFolder(), error))
    if (entry.path().extension() == L".jnl") std::filesystem::remove(entry.path(), error);
}

std::filesystem::path CGuiScenario::JournalFolder() {
  wchar_t local[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH) == 0) return {};
  return std::filesystem::path(local) / L"Mojiview";
}

std::filesystem::path CGuiScenario::JournalOf(DWORD processId) {
  return JournalFolder() / (L"EudcLink-" + std::to_wstring(processId) + L".jnl");
}

CTargetProcess& CGuiScenario::Start(const std::wstring& programName, const std::wstring& arguments,
                                    const std::filesystem::path& workingFolder) {
  auto process = std::make_unique<CTargetProcess>();
  EXPECT_TRUE(process->Start(m_folder.File(programName), arguments, workingFolder.empty() ? m_folder.Path() : workingFolder))
      << "cannot start " << m_folder.File(programName) << ", error " << GetLastError();
  m_processes.push_back(std::move(process));
  return *m_processes.back();
}

CTargetProcess& CGuiScenario::Adopt(DWORD processId) {
  auto process = std::make_unique<CTargetProcess>();
  EXPECT_TRUE(process->Attach(processId)) << "cannot open process " << processId;
  m_processes.push_back(std::move(process));
  return *m_processes.back();
}

void CGuiScenario::ScreenshotIfNoneYet() {
  if (!m_screenshotTaken) Screenshot();
}

std::filesystem::path CGuiScenario::Screenshot(const std::wstring& suffix, HWND window) {
  Sleep(300);  // let the last changes paint
  const std::filesystem::path png = ScreenshotFolder() / (m_name + (suffix.empty() ? L"" : L"-" + suffix) + L".png");
  EXPECT_TRUE(SaveScreenshot(png, window)) << "cannot write " << png;
  m_screenshotTaken = true;
  return png;
}

}  // namespace moji::gui
