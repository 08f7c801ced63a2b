#include "GlyphviewDoc.h"

#include "GlyphviewApp.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "ProcessUtil.h"

namespace moji {
namespace {

std::wstring Lowered(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

bool CGlyphviewDoc::OnNewDocument() {
  if (!m_bound) {
    m_bound = true;
    m_list = m_app.View().GaijiList();
    return true;
  }
  const std::wstring commandLine = L"\"" + GetProgramPath() + L"\" /M";
  if (!LaunchProgram(commandLine, SW_SHOWDEFAULT))
    ShowMessageLogged(m_app.MainFrame().Handle(), IDS_ERR_LAUNCH, MB_OK, commandLine.c_str());
  return false;  // this browser keeps what it shows
}

bool CGlyphviewDoc::Load(const std::wstring& path) {
  // Placeholder: opening needs the TTE reader, the EUF creation and the gaiji list
  // control's AttachEuf, which come with the list control.
  (void)path;
  return false;
}

void CGlyphviewDoc::Reload() {
  CLog::Print(L"Command:データ再読込\n");
  // Once the list control is in: only while it is a window, and after Load it is repainted
  // at once and refreshes its status line.
  const std::wstring path = m_shownPath;  // Load replaces the shown path
  Load(path);
}

bool CGlyphviewDoc::IsLinkedFont() const {
  return !m_shownPath.empty() && Lowered(m_shownPath) == Lowered(m_app.Settings().GetLinkedFontPath(true));
}

}  // namespace moji
