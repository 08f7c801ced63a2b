// Registering the readings of the linked font with the input method: every reading record
// becomes a word whose text is the gaiji, after the words of the previous run are removed.
// What the previous run registered is remembered in a copy of the reading file taken after
// each run ("_OldEudc.ymi" in the program folder).
//
// The input method sits behind CImeWordRegistrar (the IMM32 word registration on Windows,
// a recording fake in tests).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LogSink.h"
#include "Prompter.h"
#include "YomiStore.h"

namespace moji {

namespace imereg {
inline constexpr int kMsgNoStyle = 2030;         // the input method offers no registration style
inline constexpr int kMsgOldCopyFailed = 2031;   // reading file, copy: copy by hand
inline constexpr int kMsgStatus = 5041;          // deleted, deletion errors, added, addition errors
inline constexpr char16_t kOldCopyName[] = u"_OldEudc.ymi";
inline constexpr char16_t kSingleKanjiStyle[] = u"単漢";  // the part of speech taken when offered
}  // namespace imereg

// A part of speech of the input method: its style value and description.
struct ImeWordStyle {
  std::uint32_t value = 0;
  std::u16string description;
};

class CImeWordRegistrar {
 public:
  virtual ~CImeWordRegistrar() = default;
  // Takes the keyboard layout of the calling thread for the calls that follow.
  virtual void SelectKeyboardLayout() = 0;
  // The input method's file name (for the log); empty when unknown.
  virtual std::u16string FileName() = 0;
  // The parts of speech offered for word registration; empty when there are none.
  virtual std::vector<ImeWordStyle> Styles() = 0;
  virtual bool Register(const std::u16string& reading, std::uint32_t style, const std::u16string& word) = 0;
  virtual bool Unregister(const std::u16string& reading, std::uint32_t style, const std::u16string& word) = 0;
};

struct ImeRegistrationCounts {
  int deleted = 0;
  int deleteErrors = 0;
  int added = 0;
  int addErrors = 0;
  bool operator==(const ImeRegistrationCounts&) const = default;
};

struct ImeRegistrationServices {
  CPrompter& prompter;
  CImeWordRegistrar& ime;
  CLogSink& log;
  std::function<void(bool busy)> setBusy;  // the wait box around the word calls; may be empty
};

// The style used for every word: the last one whose description contains "単漢", else the
// first; each "単漢" style is logged. Nothing for an empty list.
std::optional<ImeWordStyle> ChooseImeWordStyle(const std::vector<ImeWordStyle>& styles, CLogSink& log);

// Saves the store (kept), removes the words of `oldCopy`, registers every whole record of the
// store's reading file and makes `oldCopy` an exact copy of that file (written beside it and
// then swapped in, 2031 when that fails). Shows 4002, 2030 or the result (5041). Returns the
// counts when words were sent, nothing when it stopped before (no store, 4002, 2030).
std::optional<ImeRegistrationCounts> RegisterReadingsWithIme(CYomiStore& store, const std::filesystem::path& oldCopy,
                                                             const ImeRegistrationServices& services);

}  // namespace moji
