#include "EufCreatorWin32.h"

#include "GdiGlyphRenderer.h"
#include "Log.h"
#include "Message.h"
#include "SwitchEudc.h"
#include "TextConv.h"

namespace moji {

namespace {

// Calls ShowMessage with the fields as the format expects them: int for a number, a wide
// string for a text. `done` are the fields converted so far.
template <typename... Done>
int ShowWithFields(HWND owner, UINT id, UINT type, bool log, const std::vector<MessageArg>& args,
                   const std::vector<std::wstring>& texts, Done... done) {
  constexpr std::size_t n = sizeof...(Done);
  if constexpr (n < CMessageBoxEufPrompter::kMaxArgs) {
    if (n < args.size()) {
      if (const int* number = std::get_if<int>(&args[n]))
        return ShowWithFields(owner, id, type, log, args, texts, done..., *number);
      return ShowWithFields(owner, id, type, log, args, texts, done..., texts[n].c_str());
    }
  }
  return log ? ShowMessageLogged(owner, id, type, done...) : ShowMessage(owner, id, type, done...);
}

}  // namespace

CEufCreatePrompter::Answer CMessageBoxEufPrompter::Message(int id, Buttons buttons, Icon icon,
                                                           const std::vector<MessageArg>& args, bool log) {
  UINT type = buttons == Buttons::YesNo ? MB_YESNO : buttons == Buttons::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
  if (icon == Icon::Question) type |= MB_ICONQUESTION;
  if (icon == Icon::Information) type |= MB_ICONINFORMATION;
  std::vector<std::wstring> texts;
  for (const MessageArg& arg : args)
    texts.push_back(std::holds_alternative<std::u16string>(arg) ? ToWide(std::get<std::u16string>(arg)) : L"");
  switch (ShowWithFields(m_owner, static_cast<UINT>(id), type, log, args, texts)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDCANCEL: return Answer::Cancel;
    default: return Answer::Ok;
  }
}

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

int CRegistryEudcLink::SwitchEudc(const std::u16string& tte, const std::u16string& target,
                                  const std::u16string& codePage) {
  return moji::SwitchEudc(ToWide(tte), ToWide(target), ToWide(codePage));
}

void CProcessLogSink::Print(std::u16string_view line) { CLog::Print(L"%s", ToWide(line).c_str()); }

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

  CMessageBoxEufPrompter prompter(owner);
  CRegistryEudcLink link;
  CGdiGlyphRenderer renderer;
  CProcessLogSink log;
  return CreateEufFromTte(tte, request, {prompter, link, renderer, log});
}

}  // namespace moji
