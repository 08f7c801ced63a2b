#include "EufCreatorWin32.h"

#include "GdiGlyphRenderer.h"
#include "Log.h"
#include "Message.h"
#include "RegistryEudcLink.h"
#include "TextConv.h"

namespace moji {

std::u16string CMessageBoxEufPrompter::LastSystemErrorText() { return FromWide(SystemErrorText(GetLastError())); }

void CMessageBoxEufPrompter::SetBusy(bool busy) {
  if (busy) {
    m_oldCursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    m_wait.emplace(0, m_owner);
  } else {
    m_wait.reset();
    SetCursor(m_oldCursor);
  }
}

void CProcessLogSink::Print(std::u16string_view line) { CLog::Print(L"%s", ToWide(line).c_str()); }

void CProcessLogSink::PrintCopyFailure(const std::filesystem::path& source, const std::filesystem::path& target) {
  LogCopyFailure(source, target, ::GetLastError());
}

OsVersion GetSystemVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExW(&info)) return {};
  return {info.dwPlatformId == VER_PLATFORM_WIN32_NT, info.dwMajorVersion, info.dwMinorVersion};
}

int CreateEufFromTte(HWND owner, const CTTEMetrics& tte, const std::wstring& ttePath, const std::wstring& eufPath,
                     bool unicode, int bitmapSize, int drawSize, const CSettings& settings) {
  EufCreateRequest request;
  request.ttePath = ttePath;
  request.eufPath = eufPath;
  request.unicode = unicode;
  request.bitmapSize = bitmapSize;
  request.drawSize = drawSize;
  request.face = FromWide(settings.gaijiShowFont);
  request.defaultEudcFont = FromWide(settings.defaultEudcFont);
  request.templateFolder = settings.ProgramFolder();
  request.os = GetSystemVersion();

  CWaitCursor cursor;  // template copy, check, drawing, commit and move
  CMessageBoxEufPrompter prompter(owner);
  CRegistryEudcLink link;
  CLinkJournal journal = ProcessLinkJournal();
  CGdiGlyphRenderer renderer;
  CProcessLogSink log;
  return CreateEufFromTte(tte, request, {prompter, link, renderer, log, &journal});
}

}  // namespace moji
