#include "BrowserGaijiListCtrl.h"

#include <windowsx.h>

#include "AddrJumpDlg.h"
#include "ClipboardGlyph.h"
#include "FileReplace.h"
#include "FullPath.h"
#include "GaijiCode.h"
#include "GlyphDataSource.h"
#include "GlyphMatch.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "ProcessUtil.h"
#include "ScopeGuard.h"
#include "Settings.h"
#include "StartTarget.h"
#include "TextConv.h"
#include "WaitCursor.h"
#include "WaitMessage.h"
#include "YomiStore.h"

namespace moji {

namespace {

// A 1-bit bitmap made from glyph bits, selected into a memory DC for one copy.
class CGlyphBitmap {
 public:
  CGlyphBitmap(HDC memory, const EufGlyph& glyph)
      : m_memory(memory), m_bitmap(::CreateBitmap(glyph.width, glyph.height, 1, 1, glyph.bits.data())) {
    if (m_bitmap) m_old = ::SelectObject(m_memory, m_bitmap);
  }
  ~CGlyphBitmap() {
    if (!m_bitmap) return;
    ::SelectObject(m_memory, m_old);
    ::DeleteObject(m_bitmap);
  }
  CGlyphBitmap(const CGlyphBitmap&) = delete;
  CGlyphBitmap& operator=(const CGlyphBitmap&) = delete;
  explicit operator bool() const { return m_bitmap != nullptr; }

 private:
  HDC m_memory;
  HBITMAP m_bitmap;
  HGDIOBJ m_old = nullptr;
};

std::wstring EnvironmentValue(const wchar_t* name) {
  const DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return {};
  std::wstring value(needed, L'\0');
  const DWORD got = ::GetEnvironmentVariableW(name, value.data(), needed);
  value.resize(got < needed ? got : 0);
  return value;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Deletes a temporary copy. CopyFileW gives the copy the attributes of its source, so the
// copy of a read-only EUF is read-only too and would refuse to be deleted.
void DeleteCopy(const std::filesystem::path& path) {
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(path.c_str());
}

}  // namespace

CBrowserGaijiListCtrl::PauseProbe CBrowserGaijiListCtrl::PauseKeyProbe() {
  return ThrottledProbe([] { return (::GetAsyncKeyState(VK_PAUSE) & 0x8000) != 0; }, [] { return ::GetTickCount64(); },
                        kPausePollMs);
}

CBrowserGaijiListCtrl::CBrowserGaijiListCtrl()
    : m_pauseDown(PauseKeyProbe()),
      m_glyphkeeperFormat(::RegisterClipboardFormatW(kGlyphkeeperFormatName)) {}

CBrowserGaijiListCtrl::~CBrowserGaijiListCtrl() { ReleaseEuf(); }

void CBrowserGaijiListCtrl::InitRows(HWND statusWindow) {
  m_status = statusWindow;
  FillRows();
}

HWND CBrowserGaijiListCtrl::MessageOwner() const {
  return Handle() ? ::GetAncestor(Handle(), GA_ROOT) : nullptr;
}

std::filesystem::path CBrowserGaijiListCtrl::TempFolder() const {
  const std::wstring tmp = EnvironmentValue(L"TMP");
  if (!tmp.empty() && IsFolder(tmp)) return tmp;
  const std::wstring program = m_programFolder.empty() ? GetProgramFolder() : m_programFolder;
  return program + kTempFolderName;
}

bool CBrowserGaijiListCtrl::AttachEuf(const std::filesystem::path& eufPath, int gaijiCount) {
  CWaitCursor cursor;
  CLog::Print(L"RegistEUF=%s\n", eufPath.c_str());
  m_gaijiCount = gaijiCount;

  // The name is claimed by creating the file, so no other browser can take the same one;
  // copies left by browsers that were killed go first (those of running browsers are open).
  const auto temp = ClaimTempFile(TempFolder(), FromWide(kTempPrefix));
  bool copied = false;
  if (temp) {
    CLog::Print(L"TEMP=%s\n", temp->c_str());
    CWaitMessage wait(0, MessageOwner());
    copied = CopyFileLogged(eufPath, *temp, false);
  }
  if (!copied) {
    if (temp) DeleteCopy(*temp);  // the claimed name must not stay behind
    ShowMessageLogged(MessageOwner(), IDS_ERR_EUF_TEMP_COPY, MB_OK, eufPath.c_str());
    return false;  // the previous attachment stays as it was
  }

  ReleaseEuf();
  m_tempPath = *temp;
  const int status = m_euf.Open(m_tempPath, CBinaryFile::Access::ReadDenyWrite);
  if (status == 0) {
    if (const auto size = m_euf.GlyphSize()) m_managementSize = SIZE{size->first, size->second};
  } else {
    // The user is told about the EUF they opened; the log names the copy that was read.
    CLog::Print(L"%s\n", FormatResource(static_cast<UINT>(status), m_tempPath.c_str()).c_str());
    ShowMessage(MessageOwner(), static_cast<UINT>(status), MB_OK, eufPath.c_str());
    ReleaseEuf();
  }
  if (Handle()) ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  OnSelectionChanged();
  return status == 0;
}

void CBrowserGaijiListCtrl::ReleaseEuf() {
  m_euf.Close();
  DeleteTempFile();
}

void CBrowserGaijiListCtrl::DeleteTempFile() {
  if (m_tempPath.empty()) return;
  const std::filesystem::path path = std::move(m_tempPath);
  m_tempPath.clear();
  DeleteCopy(path);
  CLog::Print(L"Delete TMP=%s\n", path.c_str());
}

bool CBrowserGaijiListCtrl::HasGlyphAt(int index) const {
  const int code = GaijiIndexToCode(index);
  return index >= 0 && IsUnicodeGaiji(code) && m_euf.IsLoaded() && m_euf.HasGlyph(code);
}

bool CBrowserGaijiListCtrl::ReadGlyphInto(int code, EufGlyph& glyph) {
  glyph.width = glyph.height = 0;
  glyph.bits.clear();
  if (!m_euf.IsLoaded() || !IsUnicodeGaiji(code)) return false;
  const EufReadResult read = m_euf.ReadGlyph(code, glyph);
  const unsigned entry = static_cast<unsigned>(read.entry);
  const unsigned detail = static_cast<unsigned>(read.detail);
  switch (read.fault) {
    case EufReadFault::None:
      return true;
    case EufReadFault::NoGlyph:
      return false;
    case EufReadFault::HeaderPosition:
      CLog::Print(L"ﾋﾞｯﾄﾃﾞｰﾀﾍｯﾀﾞ位置異常(AbsAddr=%4.4X:pos=%4.4X)\n", entry, detail);
      return false;
    case EufReadFault::HeaderRead:
      CLog::Print(L"ﾋﾞｯﾄﾃﾞｰﾀﾍｯﾀﾞ読込異常(AbsAddr=%4.4X:pos=%4.4X)\n", entry, detail);
      return false;
    case EufReadFault::BufferSize:
      CLog::Print(L"ﾋﾞｯﾄﾃﾞｰﾀ読込ﾊﾞｯﾌｧ異常(AbsAddr=%4.4X:size=%4.4X)\n", entry, detail);
      return false;
    case EufReadFault::DataPosition:
      CLog::Print(L"ﾋﾞｯﾄﾃﾞｰﾀ読込位置異常(AbsAddr=%4.4X:pos=%4.4X)\n", entry, detail);
      return false;
    case EufReadFault::DataRead:
      CLog::Print(L"ﾋﾞｯﾄﾃﾞｰﾀ読込異常(AbsAddr=%4.4X:pos=%4.4X)\n", entry, detail);
      return false;
  }
  return false;
}

std::vector<std::uint8_t> CBrowserGaijiListCtrl::ReadGlyph(int code, int& width, int& height) {
  EufGlyph glyph;
  if (!ReadGlyphInto(code, glyph)) {
    width = height = 0;
    return {};
  }
  width = glyph.width;
  height = glyph.height;
  return std::move(glyph.bits);
}

void CBrowserGaijiListCtrl::OnSelectionChanged() {
  std::u16string text;
  m_hasGlyph = false;
  const int index = GetSelectedIndex();
  const int code = GaijiIndexToCode(index);
  if (index >= 0 && IsUnicodeGaiji(code)) {
    text = BuildGridStatusLine(code, m_gaijiCount, m_yomi ? m_yomi->GetReadings(code) : std::u16string());
    m_hasGlyph = HasGlyphAt(index);
  }
  if (m_status) ::SetWindowTextW(m_status, ToWide(text).c_str());
}

void CBrowserGaijiListCtrl::DrawRowCells(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const GridRect row = ToGridRect(item.rcItem);
  if (m_sizeMoving && m_sizeMoving()) {
    // No glyph is read while the frame moves; the frame repaints everything afterwards.
    RECT cell = ToRect(GridCellRect(row, 1, Metrics()));
    ::InflateRect(&cell, -1, -1);
    ::SetTextColor(dc, kWaitTextColor);
    const std::wstring text = LoadResourceString(IDS_WAIT_A_SEC);
    ::DrawTextW(dc, text.c_str(), -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  } else if (m_euf.IsLoaded()) {
    if (HDC memory = ::CreateCompatibleDC(dc)) {
      const int first = GridRowFirstCode(static_cast<int>(item.itemID));
      const int size = Metrics().glyphSize;
      for (int column = 1; column <= kGridColumns; ++column) {
        const GridRect target = GridGlyphRect(row, column, Metrics());
        const RECT area = ToRect(target);
        if (!::RectVisible(dc, &area)) continue;  // a frame-only repaint reads no glyph
        if (!ReadGlyphInto(first + column - 1, m_glyph)) continue;
        CGlyphBitmap bitmap(memory, m_glyph);
        if (!bitmap) continue;
        // Source copy: 0 bits (ink) take the text colour, 1 bits the background colour.
        if (m_glyph.width == size && m_glyph.height == size)
          ::BitBlt(dc, target.left, target.top, size, size, memory, 0, 0, SRCCOPY);
        else {
          // Enlarged, each bit becomes a block of equal pixels (a 64-pixel glyph: a square of
          // glyphScale); reduced, every ink bit is kept (a 256-pixel glyph in a 64-pixel cell).
          ::SetStretchBltMode(dc, m_glyph.width < size ? COLORONCOLOR : BLACKONWHITE);
          ::StretchBlt(dc, target.left, target.top, size, size, memory, 0, 0, m_glyph.width, m_glyph.height, SRCCOPY);
        }
      }
      ::DeleteDC(memory);
    }
  }
  ::SetTextColor(dc, RGB(0, 0, 0));
}

bool CBrowserGaijiListCtrl::JumpToCode() {
  CAddrJumpDlg dialog;
  if (dialog.DoModal(MessageOwner()) != IDOK) return false;
  return SelectCode(dialog.Result());
}

void CBrowserGaijiListCtrl::OnDoubleClick(int x) {
  RECT rect{};
  if (!GetRowRect(SelectedRow(), rect)) return;
  if (x < rect.left + Metrics().codeColumnWidth) {
    JumpToCode();
    return;
  }
  const int index = GetSelectedIndex();
  const int code = GaijiIndexToCode(index);
  if (index >= 0 && IsUnicodeGaiji(code) && m_editGlyph) m_editGlyph(FormatHex4(static_cast<std::uint32_t>(code)));
}

bool CBrowserGaijiListCtrl::OnContextMenu(HWND, POINT screen) {
  const int index = GetSelectedIndex();
  if (index < 0 || index >= kGaijiCount) return true;
  HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_BROWSER_CONTEXT));
  if (!menu) return true;
  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard: at the selected cell.
    RECT rect{};
    if (GetRowRect(SelectedRow(), rect)) {
      const GridRect glyph = GridGlyphRect(ToGridRect(rect), SelectedColumn(), Metrics());
      screen = POINT{(glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2};
      ::ClientToScreen(Handle(), &screen);
    }
  }
  // The commands take the usual route: the owner is the foreground window (the frame).
  HWND owner = ::GetForegroundWindow();
  if (!owner || ::GetWindowThreadProcessId(owner, nullptr) != ::GetCurrentThreadId()) owner = MessageOwner();
  if (HMENU popup = ::GetSubMenu(menu, 0)) ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
  ::DestroyMenu(menu);
  return true;
}

bool CBrowserGaijiListCtrl::CopyGlyphToClipboard() {
  const int index = GetSelectedIndex();
  const int code = GaijiIndexToCode(index);
  if (!m_hasGlyph || index < 0 || !IsUnicodeGaiji(code)) return false;
  if (!ReadGlyphInto(code, m_glyph)) return false;
  HBITMAP bitmap = CreateGlyphBitmap(m_glyph.width, m_glyph.height, m_glyph.bits.data());
  if (!bitmap) return false;
  if (!::OpenClipboard(nullptr)) {
    ::DeleteObject(bitmap);
    return false;
  }
  ::EmptyClipboard();
  const bool handedOver = ::SetClipboardData(CF_BITMAP, bitmap) != nullptr;  // the clipboard owns it now
  ::CloseClipboard();
  if (!handedOver) {
    ::DeleteObject(bitmap);
    return false;
  }
  CLog::Print(L"Bitmap Copy to Clipboard（code=%4.4X）\n", static_cast<unsigned>(code));
  return true;
}

UINT CBrowserGaijiListCtrl::GetClipboardGlyphFormat() const { return ClipboardGlyphFormat(m_glyphkeeperFormat); }

int CBrowserGaijiListCtrl::FindBitmap(bool fromTop, HBITMAP pattern) {
  if (!m_searchWait || !m_searchWait->Handle())
    m_searchWait = std::make_unique<CWaitMessage>(IDS_WAIT_SEARCHING, MessageOwner(), false);
  m_searchWait->Show();
  const CScopeGuard hide([this] { m_searchWait->Hide(); });
  const GlyphPattern normal = NormalizeToPattern(pattern, m_managementSize.cx, m_managementSize.cy);
  const int start = fromTop ? kGaijiFirst : kGaijiFirst + 1 + GetSelectedIndex();
  const auto read = [this](int code, EufGlyph& glyph) { return ReadGlyphInto(code, glyph); };
  const int found = FindMatchingGlyph(start, normal, read, m_pauseDown);
  if (found > 0) SelectCode(found);
  return found;
}

void CBrowserGaijiListCtrl::StartDrag(POINT client) {
  const int code = GaijiIndexToCode(GetSelectedIndex());
  if (GetSelectedIndex() < 0 || !IsUnicodeGaiji(code)) return;
  if (!ReadGlyphInto(code, m_glyph)) return;
  HBITMAP bitmap = CreateGlyphBitmap(m_glyph.width, m_glyph.height, m_glyph.bits.data());
  if (!bitmap) return;
  auto* source = new CGlyphDataSource(bitmap);
  CLog::Print(L"Drag Start (Addr=%4.4X:h=%8.8X)\n", static_cast<unsigned>(code),
              static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(bitmap)));
  // The platform's drag rule first: a press released inside the drag rectangle is a click.
  POINT screen = client;
  ::ClientToScreen(Handle(), &screen);
  if (DragBegins(screen)) {
    const DWORD effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (effect == DROPEFFECT_COPY || effect == DROPEFFECT_MOVE) CLog::Print(L"Drag End\n");  // a move moves nothing
  }
  OnSelectionChanged();
  source->Release();
}

void CBrowserGaijiListCtrl::OnDropFiles(HDROP drop) {
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  if (count != 1) {
    CLog::Print(L"Drop File （count=%d）\n", static_cast<int>(count));
    ShowMessage(MessageOwner(), IDS_ERR_DROP_COUNT, MB_OK);
    return;
  }
  // The name's length first: a path may be longer than MAX_PATH.
  const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
  if (length == 0) return;
  std::wstring path(length + 1, L'\0');
  if (::DragQueryFileW(drop, 0, path.data(), length + 1) == 0) return;
  path.resize(length);
  CLog::Print(L"Drop File （name=%s）\n", path.c_str());
  if (path.size() <= 4) return;
  if (!IsGaijiFileName(FromWide(path))) {
    ShowMessageLogged(MessageOwner(), IDS_ERR_NOT_GAIJI_FILE, MB_OK | MB_ICONHAND, path.c_str());
    return;
  }
  if (m_openDropped) m_openDropped(FullPath(path));
}

LRESULT CBrowserGaijiListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN) {
    const LRESULT result = Default();  // the list box selects the clicked row
    StartDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return result;
  }
  if (msg == WM_DROPFILES) {
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    OnDropFiles(drop);
    const LRESULT result = Default();
    ::DragFinish(drop);  // the drop's memory goes with its handling
    return result;
  }
  if (msg == WM_LBUTTONDBLCLK) {
    const LRESULT result = Default();
    OnDoubleClick(GET_X_LPARAM(lParam));
    return result;
  }
  return CGaijiListCtrl::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
