#include "CandidateDlg.h"

#include <cstring>

#include "CandidateCommands.h"
#include "GaijiCode.h"
#include "HelpTopic.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr int kItemHeight = 52;  // pixels per candidate
constexpr int kGlyphHeight = 44;  // the candidate's glyph, drawn at the left of its line

}  // namespace

CCandidateDlg::CCandidateDlg(CCandidateCommands& commands, int code)
    : CDialog(IDD_CANDIDATES), m_commands(commands), m_code(code) {
  SetHelpContext(kHelpContextCandidates);
}

CCandidateDlg::~CCandidateDlg() {
  Destroy();
  if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
  if (m_glyphFont != nullptr) ::DeleteObject(m_glyphFont);
}

bool CCandidateDlg::OnInitDialog() {
  m_picture.SubclassDlgItem(IDC_CANDIDATE_PICTURE, Handle());
  ::SendDlgItemMessageW(Handle(), IDC_CANDIDATE_LIST, LB_SETITEMHEIGHT, 0, kItemHeight);
  ShowFace();
  ShowGaiji(m_code);
  ::SetFocus(Item(IDC_CANDIDATE_LIST));
  return false;  // the focus is set
}

void CCandidateDlg::ShowFace() {
  if (m_glyphFont != nullptr) ::DeleteObject(m_glyphFont);
  m_glyphFont = ::CreateFontW(-kGlyphHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                              m_commands.Face().c_str());
  SetItemText(IDC_CANDIDATE_FONT, m_commands.Face());
}

void CCandidateDlg::ShowGaiji(int code) {
  HBITMAP bitmap = nullptr;
  std::vector<Candidate> found;
  HWND list = Item(IDC_CANDIDATE_LIST);
  if (!m_commands.CandidatesOf(Handle(), code, kShown, found, &bitmap)) {
    m_found.clear();  // they were another font's glyphs
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    return;
  }
  m_code = code;
  m_found = std::move(found);
  m_picture.SetBitmap(bitmap);
  if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
  m_bitmap = bitmap;
  ::InvalidateRect(m_picture.Handle(), nullptr, TRUE);
  SetItemText(IDC_CANDIDATE_CODE, L"U+" + ToWide(FormatHex4(static_cast<std::uint32_t>(code))));
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < m_found.size(); ++i) ::SendMessageW(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
}

void CCandidateDlg::DrawCandidate(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_found.size()) return;
  const Candidate& c = m_found[item.itemID];
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  ::FillRect(dc, &r, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HGDIOBJ old = ::SelectObject(dc, m_glyphFont);
  const WORD glyph = c.glyph;
  ::ExtTextOutW(dc, r.left + 6, r.top + (kItemHeight - kGlyphHeight) / 2, ETO_GLYPH_INDEX, nullptr,
                reinterpret_cast<LPCWSTR>(&glyph), 1, nullptr);
  ::SelectObject(dc, reinterpret_cast<HFONT>(Send(WM_GETFONT)));
  const std::wstring text = FormatResource(IDS_CANDIDATE_LINE, ToWide(FromUtf8(FormatCandidateCodes(c))).c_str(),
                                           static_cast<double>(c.similarity));
  RECT textRect{r.left + kGlyphHeight + 20, r.top + 8, r.right - 4, r.bottom - 4};
  ::DrawTextW(dc, text.c_str(), -1, &textRect, DT_LEFT | DT_TOP | DT_NOPREFIX);
  ::SelectObject(dc, old);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &r);
}

void CCandidateDlg::CopyChosen() {
  const LRESULT chosen = ::SendDlgItemMessageW(Handle(), IDC_CANDIDATE_LIST, LB_GETCURSEL, 0, 0);
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= m_found.size()) {
    ::MessageBeep(0);
    return;
  }
  const Candidate& candidate = m_found[static_cast<std::size_t>(chosen)];
  const std::wstring text = ToWide(CandidateText(candidate));
  bool copied = false;
  // Another program may hold the clipboard for a moment (a clipboard viewer reading it).
  bool opened = false;
  for (int attempt = 0; attempt < 20 && !(opened = ::OpenClipboard(Handle()) != FALSE); ++attempt) ::Sleep(25);
  if (opened) {
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
      ::GlobalUnlock(memory);
      copied = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      if (!copied) ::GlobalFree(memory);  // else the clipboard's
    }
    ::CloseClipboard();
  }
  CLog::Print(L"標準文字の候補ｺﾋﾟｰ（code=%4.4X）%s %s\n", static_cast<unsigned>(m_code),
              ToWide(FromUtf8(FormatCandidateCodes(candidate))).c_str(), copied ? L"" : L"失敗");
}

bool CCandidateDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_CANDIDATE_PREV || id == IDC_CANDIDATE_NEXT)) {
    const int next = m_commands.StepGaiji(m_code, id == IDC_CANDIDATE_NEXT ? 1 : -1);
    if (next == 0)
      ::MessageBeep(0);
    else
      ShowGaiji(next);
    return true;
  }
  if (code == BN_CLICKED && id == IDC_CANDIDATE_FONT_CHANGE) {
    if (m_commands.ChooseFace(Handle())) {
      ShowFace();
      ShowGaiji(m_code);
    }
    return true;
  }
  if ((code == BN_CLICKED && id == IDC_CANDIDATE_COPY) || (id == IDC_CANDIDATE_LIST && code == LBN_DBLCLK)) {
    CopyChosen();
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

LRESULT CCandidateDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM && wParam == IDC_CANDIDATE_LIST) {
    DrawCandidate(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
