#include "MessagePrompter.h"

#include <array>
#include <string>

#include "Message.h"
#include "TextConv.h"

namespace moji {

int CMessagePrompter::Run(int id, UINT type, const std::vector<std::u16string>& args) const {
  // Always kMaxArgs strings: a format reads only as many as it names, and one naming more
  // than the caller gave still finds an (empty) string in each place.
  std::array<std::wstring, kMaxArgs> texts;
  for (std::size_t i = 0; i < texts.size() && i < args.size(); ++i) texts[i] = ToWide(args[i]);
  return ShowMessage(m_owner, static_cast<UINT>(id), type, texts[0].c_str(), texts[1].c_str(), texts[2].c_str(),
                     texts[3].c_str(), texts[4].c_str(), texts[5].c_str());
}

void CMessagePrompter::Show(int id, const std::vector<std::u16string>& args) { Run(id, MB_OK, args); }

bool CMessagePrompter::AskYesNo(int id, const std::vector<std::u16string>& args) {
  return Run(id, MB_YESNO | MB_ICONQUESTION, args) == IDYES;
}

}  // namespace moji
