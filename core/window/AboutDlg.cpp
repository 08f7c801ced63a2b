#include "AboutDlg.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "CoreRes.h"
#include "Help.h"
#include "HelpTopic.h"
#include "TextConv.h"
#include "Message.h"
#include "ProcessUtil.h"

namespace moji {

CAboutDlg::CAboutDlg(const AboutBoxLayout& layout) : CDialog(layout.templateId), m_layout(layout) {
  SetHelpContext(kHelpContextMain);
}

std::wstring CAboutDlg::ReadVersionString(const std::wstring& module, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(module.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!::GetFileVersionInfoW(module.c_str(), 0, size, block.data())) return {};

  struct Translation {
    WORD language;
    WORD codePage;
  };
  void* data = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &data, &length) || !data) return {};
  const auto* translations = static_cast<const Translation*>(data);
  const UINT count = length / sizeof(Translation);
  for (UINT i = 0; i < count; ++i) {
    const std::wstring key =
        FormatText(L"\\StringFileInfo\\%04x%04x\\%s", translations[i].language, translations[i].codePage, name);
    void* value = nullptr;
    UINT chars = 0;
    if (!::VerQueryValueW(block.data(), key.c_str(), &value, &chars) || !value) continue;
    // The length counts characters and may include the terminator; the value must lie in
    // the block that was read.
    const auto* text = static_cast<const wchar_t*>(value);
    const auto* end = reinterpret_cast<const wchar_t*>(block.data() + block.size());
    if (text < reinterpret_cast<const wchar_t*>(block.data()) || text >= end) continue;
    std::wstring result(text, std::min<std::size_t>(chars, static_cast<std::size_t>(end - text)));
    if (const auto nul = result.find(L'\0'); nul != std::wstring::npos) result.resize(nul);
    return result;
  }
  return {};
}

bool CAboutDlg::OnInitDialog() {
  SetText(LoadResourceString(m_layout.titleStringId));
  CenterOver(::GetWindow(Handle(), GW_OWNER));
  const std::wstring program = GetProgramPath();
  const std::wstring baseName = std::filesystem::path(program).stem().wstring();
  SetItemText(m_layout.versionId, FormatText(L"%s Version %s", baseName.c_str(),
                                            ReadVersionString(program, L"ProductVersion").c_str()));
  SetItemText(m_layout.copyrightId, ReadVersionString(program, L"LegalCopyright"));
  m_link.SubclassDlgItem(m_layout.linkId, Handle());
  const std::wstring homepage = m_layout.homepage ? m_layout.homepage : L"";
  if (homepage.empty()) {
    SetItemText(m_layout.linkId, LoadResourceString(IDS_ABOUT_HELP_LINK));
    m_link.SetOpenAction([this] { ShowHelpPage(Handle(), ToWide(kHelpFirstPage)); });
  } else {
    SetItemText(m_layout.linkId, homepage);
  }
  return true;
}

}  // namespace moji
