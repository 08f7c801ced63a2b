// CCommandTable: the commands of one program. Each entry maps a command id to its handler
// and its "enabled when" predicate. Every route to a command reads the same predicate:
//   - menus: UpdateMenu on WM_INITMENUPOPUP greys the items whose command is disabled;
//   - the toolbar: UpdateToolbar on idle disables the buttons;
//   - accelerators, menu picks, toolbar clicks and posted WM_COMMANDs all end in Execute,
//     which runs the handler only while the predicate holds.
// So a disabled command cannot run by any route. Ids without an entry count as disabled.
//
//   commands.Add(ID_DATA_RELOAD, [&] { doc.Reload(); }, [&] { return !doc.Path().empty(); });
//   commands.Add(ID_GAIJI_MANAGER, nullptr, [] { return false; });   // always disabled
//   commands.AddRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [&](UINT id) { ... },
//                     [&](UINT id) { return recent.Has(id - ID_FILE_MRU_FIRST); });
//   commands.SetMenuText(ID_APP_ABOUT, L"...");   // replaces the item's text at each update
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace moji {

class CCommandTable {
 public:
  using Handler = std::function<void()>;
  using Predicate = std::function<bool()>;
  using RangeHandler = std::function<void(UINT id)>;
  using RangePredicate = std::function<bool(UINT id)>;

  // An empty predicate means "always enabled"; an empty handler means "never enabled".
  // Adding an id again replaces its entry.
  void Add(UINT id, Handler handler, Predicate enabledWhen = {});
  // One handler and predicate for the ids first..last (both included).
  void AddRange(UINT first, UINT last, RangeHandler handler, RangePredicate enabledWhen = {});
  // A menu text that UpdateMenu gives the item of `id` each time.
  void SetMenuText(UINT id, std::wstring text);

  bool Contains(UINT id) const;
  bool IsEnabled(UINT id) const;
  // Runs the handler when the command is enabled; true when it ran.
  bool Execute(UINT id) const;

  // Enables or greys every command item of `menu` (not its submenus), sets replaced texts.
  void UpdateMenu(HMENU menu) const;
  // Enables or disables every button of a toolbar control (TB_ENABLEBUTTON when changed).
  void UpdateToolbar(HWND toolbar) const;

 private:
  struct Range {
    UINT first, last;
    RangeHandler handler;
    RangePredicate enabledWhen;
  };
  struct Entry {
    Handler handler;
    Predicate enabledWhen;
  };
  const Range* FindRange(UINT id) const;

  std::map<UINT, Entry> m_entries;
  std::vector<Range> m_ranges;
  std::map<UINT, std::wstring> m_menuTexts;
};

// The buttons of a toolbar window, separators left out, in order.
struct ToolbarButtonState {
  UINT id;
  bool enabled;
};
std::vector<ToolbarButtonState> ReadToolbarButtons(HWND toolbar);

}  // namespace moji
