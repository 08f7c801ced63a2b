#include "MessagePrompter.h"

#include <string>

#include "Message.h"
#include "TextConv.h"

namespace moji {
namespace {

// Calls ShowMessage with the fields as the format expects them: int for a number, a wide
// string for a text; `done` are the fields converted so far. Missing fields are empty texts.
template <typename... Done>
int ShowWithFields(HWND owner, UINT id, UINT type, bool log, const std::vector<MessageArg>& args,
                   const std::vector<std::wstring>& texts, Done... done) {
  constexpr std::size_t n = sizeof...(Done);
  if constexpr (n < CMessagePrompter::kMaxArgs) {
    if (n < args.size() && std::holds_alternative<int>(args[n]))
      return ShowWithFields(owner, id, type, log, args, texts, done..., std::get<int>(args[n]));
    return ShowWithFields(owner, id, type, log, args, texts, done..., texts[n].c_str());
  } else {
    return log ? ShowMessageLogged(owner, id, type, done...) : ShowMessage(owner, id, type, done...);
  }
}

}  // namespace

CPrompter::Answer CMessagePrompter::Message(int id, Buttons buttons, Icon icon, const std::vector<MessageArg>& args,
                                            bool log) {
  UINT type = buttons == Buttons::YesNo ? MB_YESNO : buttons == Buttons::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
  if (icon == Icon::Question) type |= MB_ICONQUESTION;
  if (icon == Icon::Information) type |= MB_ICONINFORMATION;
  std::vector<std::wstring> texts(kMaxArgs);
  for (std::size_t i = 0; i < args.size() && i < kMaxArgs; ++i)
    if (const auto* text = std::get_if<std::u16string>(&args[i])) texts[i] = ToWide(*text);
  switch (ShowWithFields(m_owner, static_cast<UINT>(id), type, log, args, texts)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDCANCEL: return Answer::Cancel;
    default: return Answer::Ok;
  }
}

}  // namespace moji
