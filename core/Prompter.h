// The narrow way for portable logic to talk to the user in the middle of its work: it names
// a numbered message of the string table and the fields that fill its "%s" and "%d"
// conversions, in order, and the platform side formats and shows it. Tests answer with
// scripted fakes.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace moji {

// A field of a numbered message: text for "%s", a number for "%d".
using MessageArg = std::variant<std::u16string, int>;

class CPrompter {
 public:
  enum class Buttons { Ok, YesNo, YesNoCancel };
  enum class Icon { None, Question, Information };
  enum class Answer { Ok, Yes, No, Cancel };

  virtual ~CPrompter() = default;

  // Shows message `id` formatted with `args`; with `log` set the text also goes to the
  // processing log. Returns the button chosen.
  virtual Answer Message(int id, Buttons buttons, Icon icon, const std::vector<MessageArg>& args, bool log) = 0;

  // Message `id` with an OK button.
  void Show(int id, const std::vector<MessageArg>& args) { Message(id, Buttons::Ok, Icon::None, args, false); }
  // Question `id` with Yes and No and the question icon; true only for Yes.
  bool AskYesNo(int id, const std::vector<MessageArg>& args) {
    return Message(id, Buttons::YesNo, Icon::Question, args, false) == Answer::Yes;
  }
};

}  // namespace moji
