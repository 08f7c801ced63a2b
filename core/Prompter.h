// The narrow way for portable logic to talk to the user in the middle of its work: it names
// a numbered message of the string table and the texts for its "%s" fields, in order, and
// the platform side formats and shows it. Tests answer with scripted fakes.
#pragma once

#include <string>
#include <vector>

namespace moji {

class CPrompter {
 public:
  virtual ~CPrompter() = default;

  // Shows message `id` with an OK button.
  virtual void Show(int id, const std::vector<std::u16string>& args) = 0;

  // Asks question `id` with Yes and No buttons and the question icon; true only for Yes.
  virtual bool AskYesNo(int id, const std::vector<std::u16string>& args) = 0;
};

}  // namespace moji
