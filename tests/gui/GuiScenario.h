// The GoogleTest fixture of every GUI scenario. Each test gets a fresh copy of the program
// folder named after the test, starts its programs there, and at the end leaves a
// screenshot (build/<preset>/screenshots/<Suite>.<Test>.png) and ends every program still
// running from that folder, so one failed scenario does not disturb the next.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "InputDriver.h"
#include "ScenarioFolder.h"
#include "Screenshot.h"
#include "TargetProcess.h"
#include "TextFile.h"
#include "WindowDriver.h"

namespace moji::gui {

class CGuiScenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The built program folder (build/<preset>/bin), the folder of the screenshots, and the
  // fake target program that proves the driver.
  static std::filesystem::path ProgramFolder();
  static std::filesystem::path ScreenshotFolder();
  static std::filesystem::path FakeTargetProgram();
  // Where the programs journal their temporary EUDC links (%LOCALAPPDATA%\Mojiview), and
  // the journal of the process `processId` there, which exists while its link is in force.
  static std::filesystem::path JournalFolder();
  static std::filesystem::path JournalOf(DWORD processId);

  // "Suite.Test", usable as a file name.
  const std::wstring& Name() const { return m_name; }
  CScenarioFolder& Folder() { return m_folder; }

  // Starts a program of the scenario folder (e.g. L"Mojiview.exe") with the scenario
  // folder as current folder. Fails the test when it cannot be started.
  // Started in `workingFolder`, or in the scenario's folder when that is empty.
  CTargetProcess& Start(const std::wstring& programName, const std::wstring& arguments = {},
                        const std::filesystem::path& workingFolder = {});
  // Takes a process that a program under test started (a second browser, the printer).
  CTargetProcess& Adopt(DWORD processId);

  // Saves <Name>.png, or <Name>-<suffix>.png, of the screen or of one window; returns its
  // path. The scenario's screenshot when the test takes none itself is made at the end.
  std::filesystem::path Screenshot(const std::wstring& suffix = {}, HWND window = nullptr);
  // The scenario's screenshot of the screen, unless one was taken: called where what the
  // scenario is about is on screen (a message box before it is answered), so that the shot
  // does not show the empty desktop the end of the scenario leaves.
  void ScreenshotIfNoneYet();

 private:
  std::wstring m_name;
  CScenarioFolder m_folder;
  std::vector<std::unique_ptr<CTargetProcess>> m_processes;
  bool m_screenshotTaken = false;
};

}  // namespace moji::gui
