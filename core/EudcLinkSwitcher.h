// Changing the user's EUDC font links from portable code: the one switch operation (TTE,
// target, code page → 0 or a negative failure number) behind an interface, and the temporary
// link of a TTE to one typeface that puts back exactly what it found.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "LinkJournal.h"

namespace moji {

inline constexpr char16_t kLinkAllTypefaces[] = u"SystemDefaultEUDCFont";
inline constexpr char16_t kLinkCodePage[] = u"932";

class CEudcLinkSwitcher {
 public:
  virtual ~CEudcLinkSwitcher() = default;
  // Sets the link value `target` of the code page to `tte`; an empty tte resets the link
  // for all typefaces to the system's default or deletes a typeface's link. 0 on success.
  virtual int SwitchEudc(const std::u16string& tte, const std::u16string& target, const std::u16string& codePage) = 0;
  // The text of the link value `target`; nothing when there is no such value (or no key).
  virtual std::optional<std::u16string> QueryLink(const std::u16string& target, const std::u16string& codePage) = 0;
  // The names of all link values of the code page, in the store's order; empty when there
  // is no key.
  virtual std::vector<std::u16string> ListLinks(const std::u16string& codePage) = 0;
};

// A TTE linked to one typeface while its glyphs are drawn. Link() saves the face's own link
// and the link for all typefaces (in the journal, when there is one, before anything
// changes), resets the link for all typefaces and links the TTE to the face; Undo() puts back
// exactly what was saved (a face link that did not exist is removed again; a missing link for
// all typefaces becomes `defaultEudcFont`) and removes the journal record. The destructor
// undoes a link still in force.
class CTemporaryLink {
 public:
  explicit CTemporaryLink(CEudcLinkSwitcher& link, CLinkJournal* journal = nullptr);
  ~CTemporaryLink();
  CTemporaryLink(const CTemporaryLink&) = delete;
  CTemporaryLink& operator=(const CTemporaryLink&) = delete;

  // The result of linking the TTE: 0 when it is linked. Whatever the result, the link counts
  // as in force until Undo().
  int Link(const std::u16string& tte, const std::u16string& face, const std::u16string& defaultEudcFont);
  // Puts back what Link() found; nothing when no link is in force. Every step is tried.
  void Undo();
  bool InForce() const { return !m_saved.empty(); }

  // Undoes every temporary link of the process that is in force (the session ends while a
  // job or a creation runs further down the stack). Links are made on one thread only.
  static void UndoAll();

 private:
  CEudcLinkSwitcher& m_link;
  CLinkJournal* m_journal;
  std::vector<SavedLink> m_saved;
};

}  // namespace moji
