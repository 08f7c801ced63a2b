#include "Help.h"

#include <string>

#include "ProcessUtil.h"

namespace moji {
namespace {

// hhctrl.ocx's entry point and the one command used here.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0x0000;

HtmlHelpFunction HtmlHelpEntry() {
  static HtmlHelpFunction entry = [] {
    HMODULE module = ::LoadLibraryW(L"hhctrl.ocx");
    return module ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpW")))
                  : nullptr;
  }();
  return entry;
}

// The page of the help file that a context number opens.
const wchar_t* TopicOf(UINT context) {
  switch (context) {
    case kHelpContextYomiEdit:
      return L"yomi.htm";
    default:
      return L"index.htm";
  }
}

}  // namespace

std::wstring HelpFilePath() { return GetProgramFolder() + L"Mojiview.chm"; }

bool ShowHelp(HWND owner, UINT context) {
  const HtmlHelpFunction htmlHelp = HtmlHelpEntry();
  if (!htmlHelp) return false;
  const std::wstring target = HelpFilePath() + L"::/" + TopicOf(context);
  return htmlHelp(owner, target.c_str(), kHhDisplayTopic, 0) != nullptr;
}

}  // namespace moji
