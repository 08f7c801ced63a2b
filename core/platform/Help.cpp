#include "Help.h"

#include <string>
#include <system_error>
#include <utility>

#include "CoreRes.h"
#include "Log.h"
#include "Message.h"
#include "ProcessUtil.h"
#include "TextConv.h"

namespace moji {
namespace {

// hhctrl.ocx's entry point and the one command used here.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhCloseAll = 0x0012;

HtmlHelpFunction HtmlHelpEntry() {
  static HtmlHelpFunction entry = [] {
    HMODULE module = ::LoadLibraryW(L"hhctrl.ocx");
    return module ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpW")))
                  : nullptr;
  }();
  return entry;
}

bool ShowWithHtmlHelp(HWND owner, const std::filesystem::path& file, const std::wstring& page) {
  const HtmlHelpFunction htmlHelp = HtmlHelpEntry();
  if (!htmlHelp) {
    CLog::Print(L"hhctrl.ocx (HtmlHelpW) is not available\n");
    return false;
  }
  const std::wstring target = file.wstring() + L"::/" + page;
  return htmlHelp(owner, target.c_str(), kHhDisplayTopic, 0) != nullptr;
}

HelpViewerFunction& Viewer() {
  static HelpViewerFunction viewer;
  return viewer;
}

std::span<const HelpTopic>& ProgramTopics() {
  static std::span<const HelpTopic> topics = kBrowserHelpTopics;
  return topics;
}

}  // namespace

std::filesystem::path HelpFilePath() { return std::filesystem::path(GetProgramFolder()) / L"Mojiview.chm"; }

void SetHelpTopics(std::span<const HelpTopic> topics) { ProgramTopics() = topics; }

bool ShowHelp(HWND owner, UINT context) { return ShowHelpPage(owner, ToWide(HelpTopicPage(ProgramTopics(), context))); }

bool ShowHelpPage(HWND owner, const std::wstring& page) {
  const std::filesystem::path file = HelpFilePath();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    ShowMessageLogged(owner, IDS_ERR_HELP_MISSING, MB_OK | MB_ICONEXCLAMATION, file.c_str());
    return false;
  }
  return Viewer() ? Viewer()(owner, file, page) : ShowWithHtmlHelp(owner, file, page);
}

void CloseHelp() {
  if (!::GetModuleHandleW(L"hhctrl.ocx")) return;  // never loaded: no window to close
  if (const HtmlHelpFunction htmlHelp = HtmlHelpEntry()) htmlHelp(nullptr, nullptr, kHhCloseAll, 0);
}

HelpViewerFunction SetHelpViewerFunction(HelpViewerFunction function) { return std::exchange(Viewer(), std::move(function)); }

}  // namespace moji
