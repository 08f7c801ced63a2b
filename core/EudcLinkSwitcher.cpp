#include "EudcLinkSwitcher.h"

#include <algorithm>

namespace moji {

namespace {

std::vector<CTemporaryLink*>& LiveLinks() {
  static std::vector<CTemporaryLink*> links;
  return links;
}

}  // namespace

CTemporaryLink::CTemporaryLink(CEudcLinkSwitcher& link, CLinkJournal* journal) : m_link(link), m_journal(journal) {
  LiveLinks().push_back(this);
}

CTemporaryLink::~CTemporaryLink() {
  Undo();
  std::erase(LiveLinks(), this);
}

void CTemporaryLink::UndoAll() {
  for (CTemporaryLink* link : LiveLinks()) link->Undo();
}

int CTemporaryLink::Link(const std::u16string& tte, const std::u16string& face, const std::u16string& defaultEudcFont) {
  Undo();
  const std::optional<std::u16string> all = m_link.QueryLink(kLinkAllTypefaces, kLinkCodePage);
  m_saved = {{face, m_link.QueryLink(face, kLinkCodePage)},
             {kLinkAllTypefaces, all && !all->empty() ? *all : defaultEudcFont}};
  if (m_journal) m_journal->Write(m_saved);  // a journal that cannot be written leaves only the in-process undo
  m_link.SwitchEudc(u"", kLinkAllTypefaces, kLinkCodePage);
  return m_link.SwitchEudc(tte, face, kLinkCodePage);
}

void CTemporaryLink::Undo() {
  if (m_saved.empty()) return;
  RestoreLinks(m_link, m_saved);
  m_saved.clear();
  if (m_journal) m_journal->Remove();
}

}  // namespace moji
