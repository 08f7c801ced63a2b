// CBrowserGaijiListCtrl: the browser's gaiji grid. It shows the glyphs of an attached EUF
// file, read on demand from a private copy of it in the temporary folder, writes the status
// line of the selected cell into the view's status edit, and handles the context menu and
// double-click, the bitmap copy, the bitmap match search, dragging a glyph out and files
// dropped on it.
//
// Wiring (the view and the document):
//   grid.SubclassDlgItem(IDC_GAIJI_LIST, form);
//   grid.SetSizeMovePredicate([&] { return frame.IsSizingOrMoving(); });
//   grid.SetGlyphEditorRequest([&](const std::u16string& hex) { document.EditGlyph(hex); });
//   grid.SetFileDropRequest([&](const std::filesystem::path& path) { /* open it like a start target */ });
//   grid.SetYomiStore(&yomiStore);          // or nullptr while no readings are kept
//   grid.InitRows(statusEdit);              // once, when the view is first shown
//   grid.SetHeaderColor(linked ? CGaijiListCtrl::kHeaderLinked : CGaijiListCtrl::kHeaderDefault);
//   grid.AttachEuf(eufPath, metrics.definedCount);
//
// The temporary copy "_Gvw_<n>" is claimed exclusively in the folder named by TMP when it
// exists, else in the program folder's TEMP\. It is open (deny-write) while attached and is
// deleted by ReleaseEuf, by a failed attach and by the destructor.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EufFile.h"
#include "GaijiListCtrl.h"

namespace moji {

class CWaitMessage;
class CYomiStore;

class CBrowserGaijiListCtrl : public CGaijiListCtrl {
 public:
  using SizeMovePredicate = std::function<bool()>;
  using GlyphEditorRequest = std::function<void(const std::u16string& hexCode)>;
  using FileDropRequest = std::function<void(const std::filesystem::path& path)>;
  using PauseProbe = std::function<bool()>;

  static constexpr wchar_t kTempPrefix[] = L"_Gvw_";
  static constexpr COLORREF kWaitTextColor = 0xC0C0C0;
  // The Pause key is read at most this often during the bitmap search: a key state read
  // costs microseconds (a round trip to the window server under Wine), a comparison far less.
  static constexpr unsigned kPausePollMs = 16;

  CBrowserGaijiListCtrl();
  ~CBrowserGaijiListCtrl() override;

  // ---- wiring ----------------------------------------------------------------------
  // True while the main frame is moved or sized: the cells then show "Wait a sec".
  void SetSizeMovePredicate(SizeMovePredicate predicate) { m_sizeMoving = std::move(predicate); }
  // A double-click on a glyph cell passes the cell's code as four hex digits.
  void SetGlyphEditorRequest(GlyphEditorRequest request) { m_editGlyph = std::move(request); }
  // One dropped TTE or EUF file (a name of any length, made absolute) is handed on to be opened.
  void SetFileDropRequest(FileDropRequest request) { m_openDropped = std::move(request); }
  // Asked once per code that did not match during the bitmap search: true stops it. By
  // default PauseKeyProbe().
  void SetPauseProbe(PauseProbe probe) { m_pauseDown = std::move(probe); }
  // The Pause key (GetAsyncKeyState(VK_PAUSE), high bit), read on the first asking and then
  // at most every kPausePollMs; false in between.
  static PauseProbe PauseKeyProbe();
  // Readings shown in the status line; null for none. The store must outlive its use here.
  void SetYomiStore(const CYomiStore* store) { m_yomi = store; }
  // The folder (ending in "\") whose TEMP\ takes the copy when TMP names no folder;
  // GetProgramFolder() by default.
  void SetProgramFolder(std::wstring folder) { m_programFolder = std::move(folder); }

  // ---- grid operations ---------------------------------------------------------------
  // Stores the status edit (may be null) and fills the rows.
  void InitRows(HWND statusWindow);

  // Makes `eufPath` the source of all glyphs through a temporary copy; `gaijiCount` is
  // shown in the status line. Failures show their message (2023 for the copy: the previous
  // attachment stays; 2015/2017/2018/2019 afterwards: the grid is left empty) and give false.
  bool AttachEuf(const std::filesystem::path& eufPath, int gaijiCount);
  // Closes and deletes the temporary copy; the grid shows no glyphs.
  void ReleaseEuf();
  bool IsAttached() const { return m_euf.IsLoaded(); }
  // The temporary copy; empty when there is none.
  const std::filesystem::path& TempPath() const { return m_tempPath; }

  // A file is attached, `index` (0..6399) is valid and its code has a table entry.
  bool HasGlyphAt(int index) const;
  // The bits of the glyph of `code` (rows of whole 16-bit words, 1 = background) with its
  // size; empty and 0 x 0 when it has none. Faults of a record are logged.
  std::vector<std::uint8_t> ReadGlyph(int code, int& width, int& height);

  // Size of the records of the attached file (0 x 0 until a file gave one; kept when a
  // later file gives none).
  SIZE ManagementSize() const { return m_managementSize; }
  // The selected cell has a glyph (set by every selection change).
  bool HasGlyph() const { return m_hasGlyph; }
  int GaijiCount() const { return m_gaijiCount; }
  // Clipboard format of glyph records of the gaiji management program.
  UINT GlyphkeeperFormat() const { return m_glyphkeeperFormat; }

  // The jump-to-code dialog; on OK the grid selects its code. True when it jumped.
  bool JumpToCode();

  // ---- clipboard, search ---------------------------------------------------------------
  // Puts the selected glyph on the clipboard as a monochrome CF_BITMAP of its own size.
  // False when there is nothing to copy or the clipboard cannot be opened.
  bool CopyGlyphToClipboard();
  // CF_BITMAP or the Glyphkeeper format, whichever the clipboard lists first; 0 for none.
  UINT GetClipboardGlyphFormat() const;
  // Finds the first glyph from U+E000 (`fromTop`) or after the selection whose bits equal
  // `pattern` normalised to the management size, and selects it. The found code, 0 when
  // none matched (up to U+F8FF, no wrap-around), -1 when the Pause probe stopped it.
  int FindBitmap(bool fromTop, HBITMAP pattern);

 protected:
  void OnSelectionChanged() override;
  void OnDeleteKey() override {}
  void DrawRowCells(const DRAWITEMSTRUCT& item) override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnContextMenu(HWND window, POINT screen) override;

 private:
  // Reads into m_glyph (reused between cells); logs the faults of a record.
  bool ReadGlyphInto(int code, EufGlyph& glyph);
  void OnDoubleClick(int x);
  // Left button down on a cell with a glyph: the glyph as an OLE drag.
  void StartDrag(POINT client);
  void OnDropFiles(HDROP drop);
  std::filesystem::path TempFolder() const;
  HWND MessageOwner() const;
  void DeleteTempFile();

  SizeMovePredicate m_sizeMoving;
  GlyphEditorRequest m_editGlyph;
  FileDropRequest m_openDropped;
  PauseProbe m_pauseDown;
  const CYomiStore* m_yomi = nullptr;
  std::wstring m_programFolder;
  HWND m_status = nullptr;

  CEufFile m_euf;
  std::filesystem::path m_tempPath;
  EufGlyph m_glyph;
  SIZE m_managementSize{};
  bool m_hasGlyph = false;
  int m_gaijiCount = -1;
  UINT m_glyphkeeperFormat = 0;
  // The bitmap search's wait box, made hidden by the first search and shown during each:
  // making it costs more than searching a whole file.
  std::unique_ptr<CWaitMessage> m_searchWait;
};

}  // namespace moji
