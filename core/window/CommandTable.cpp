#include "CommandTable.h"

#include <commctrl.h>

namespace moji {

void CCommandTable::Add(UINT id, Handler handler, Predicate enabledWhen) {
  m_entries[id] = Entry{std::move(handler), std::move(enabledWhen)};
}

void CCommandTable::AddRange(UINT first, UINT last, RangeHandler handler, RangePredicate enabledWhen) {
  if (first > last) return;
  m_ranges.push_back(Range{first, last, std::move(handler), std::move(enabledWhen)});
}

void CCommandTable::SetMenuText(UINT id, std::wstring text) { m_menuTexts[id] = std::move(text); }

const CCommandTable::Range* CCommandTable::FindRange(UINT id) const {
  for (const Range& range : m_ranges)
    if (id >= range.first && id <= range.last) return &range;
  return nullptr;
}

bool CCommandTable::Contains(UINT id) const { return m_entries.count(id) != 0 || FindRange(id) != nullptr; }

bool CCommandTable::IsEnabled(UINT id) const {
  if (auto it = m_entries.find(id); it != m_entries.end()) {
    const Entry& entry = it->second;
    return entry.handler && (!entry.enabledWhen || entry.enabledWhen());
  }
  if (const Range* range = FindRange(id)) return range->handler && (!range->enabledWhen || range->enabledWhen(id));
  return false;
}

bool CCommandTable::Execute(UINT id) const {
  if (!IsEnabled(id)) return false;
  if (auto it = m_entries.find(id); it != m_entries.end()) {
    // A copy: the handler may replace its own entry while it runs.
    Handler handler = it->second.handler;
    handler();
    return true;
  }
  const Range* range = FindRange(id);
  RangeHandler handler = range->handler;
  handler(id);
  return true;
}

void CCommandTable::UpdateMenu(HMENU menu) const {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu || (info.fType & MFT_SEPARATOR)) continue;
    const UINT id = info.wID;
    ::EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (IsEnabled(id) ? MF_ENABLED : MF_GRAYED));
    if (auto text = m_menuTexts.find(id); text != m_menuTexts.end()) {
      MENUITEMINFOW change{};
      change.cbSize = sizeof change;
      change.fMask = MIIM_STRING;
      change.dwTypeData = const_cast<wchar_t*>(text->second.c_str());
      ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
    }
  }
}

void CCommandTable::UpdateToolbar(HWND toolbar) const {
  for (const ToolbarButtonState& button : ReadToolbarButtons(toolbar)) {
    const bool enabled = IsEnabled(button.id);
    if (enabled != button.enabled) ::SendMessageW(toolbar, TB_ENABLEBUTTON, button.id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
  }
}

std::vector<ToolbarButtonState> ReadToolbarButtons(HWND toolbar) {
  std::vector<ToolbarButtonState> buttons;
  const int count = toolbar ? static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    if (!::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button))) continue;
    if (button.fsStyle & BTNS_SEP) continue;
    buttons.push_back({static_cast<UINT>(button.idCommand), (button.fsState & TBSTATE_ENABLED) != 0});
  }
  return buttons;
}

}  // namespace moji
