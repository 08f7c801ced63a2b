#include "CandidateCommands.h"

#include <commdlg.h>
#include <shlobj.h>

#include "BrowserGaijiListCtrl.h"
#include "CandidateDlg.h"
#include "CandidateTable.h"
#include "GaijiCode.h"
#include "GdiFontGlyphRenderer.h"
#include "GlyphviewApp.h"
#include "IndexProgressDlg.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "SaveFileDlg.h"
#include "Settings.h"
#include "TextConv.h"
#include "WaitCursor.h"

namespace moji {

namespace {

constexpr wchar_t kPreferredFace[] = L"IPAmj明朝";
constexpr wchar_t kFallbackFace[] = L"ＭＳ 明朝";

// %LOCALAPPDATA%\Mojiview\ (the cache of reference font indexes).
std::filesystem::path CacheFolder() {
  return std::filesystem::path(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA)) / L"Mojiview";
}

}  // namespace

HWND CCandidateCommands::Owner() const { return m_app.MainFrame().Handle(); }

bool CCandidateCommands::CanShowCandidates() const { return m_app.Document().CanCopyGlyph(); }

bool CCandidateCommands::CanWriteTable() const {
  const CGlyphviewDoc& document = m_app.Document();
  return document.GaijiList() != nullptr && !document.ShownPath().empty() && document.Metrics().definedCount > 0;
}

const std::wstring& CCandidateCommands::Face() {
  if (m_face.empty()) {
    m_face = m_app.Settings().ReadString(kSectionBrowser, kKeyCandidateFont);
    if (m_face.empty()) m_face = CGdiFontGlyphRenderer::IsInstalled(kPreferredFace) ? kPreferredFace : kFallbackFace;
  }
  return m_face;
}

bool CCandidateCommands::ChooseFace(HWND owner) {
  LOGFONTW chosen{};
  Face().copy(chosen.lfFaceName, LF_FACESIZE - 1);
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &chosen;
  dialog.Flags = CF_SCREENFONTS | CF_TTONLY | CF_INITTOLOGFONTSTRUCT | CF_NOSTYLESEL | CF_NOSIZESEL;
  if (!::ChooseFontW(&dialog) || chosen.lfFaceName[0] == L'\0') return false;
  m_face = chosen.lfFaceName;
  m_app.Settings().WriteString(kSectionBrowser, kKeyCandidateFont, m_face);
  CLog::Print(L"標準文字の候補: 参照ﾌｫﾝﾄ=%s\n", m_face.c_str());
  return true;
}

bool CCandidateCommands::EnsureIndex(HWND owner) {
  const std::u16string face = FromWide(Face());
  if (m_index.GlyphCount() > 0 && m_index.Key().face == face) return true;
  CGdiFontGlyphRenderer renderer;
  if (renderer.Begin(face, CCandidateIndex::kRenderSize)) {
    const FontKey key = CCandidateIndex::KeyOf(renderer, face);
    renderer.End();
    const std::filesystem::path cache = CacheFolder() / CCandidateIndex::CacheFileName(face);
    if (m_index.Load(cache, key)) return true;
    int status = CCandidateIndex::kCancelled;
    {
      CIndexProgressDlg progress(owner);
      status = m_index.Build(renderer, face,
                             [&progress](std::size_t done, std::size_t total) { return progress.Update(done, total); });
    }
    CLog::Print(L"標準文字の候補: 索引作成(%s)=%d, %d字形\n", m_face.c_str(), status,
                static_cast<int>(m_index.GlyphCount()));
    if (status == CCandidateIndex::kCancelled) return false;
    if (status == CCandidateIndex::kBuilt) {
      if (!m_index.Save(cache)) CLog::Print(L"標準文字の候補: 索引を保存できません %s\n", cache.c_str());
      return true;
    }
  }
  ShowMessageLogged(owner, IDS_ERR_CANDIDATE_FONT, MB_OK | MB_ICONEXCLAMATION, m_face.c_str());
  return false;
}

bool CCandidateCommands::ShapeOf(int code, CShapeFeature& shape, HBITMAP* bitmap) {
  CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  if (list == nullptr) return false;
  int width = 0, height = 0;
  const std::vector<std::uint8_t> bits = list->ReadGlyph(code, width, height);
  if (bits.empty()) return false;
  if (bitmap != nullptr) *bitmap = ::CreateBitmap(width, height, 1, 1, bits.data());
  return shape.Compute(InkFromBits(bits, width, height, (width + 15) / 16 * 2, 0));
}

bool CCandidateCommands::CandidatesOf(HWND owner, int code, std::size_t count, std::vector<Candidate>& found,
                                      HBITMAP* bitmap) {
  if (!EnsureIndex(owner)) return false;
  CWaitCursor wait;
  CShapeFeature shape;
  const bool inked = ShapeOf(code, shape, bitmap);
  found = inked ? m_index.Find(shape, count) : std::vector<Candidate>{};
  return true;
}

int CCandidateCommands::StepGaiji(int code, int direction) {
  CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  if (list == nullptr) return 0;
  for (int index = GaijiCodeToIndex(code) + direction; index >= 0 && index < kGaijiCount; index += direction)
    if (list->HasGlyphAt(index)) {
      list->SelectCode(GaijiIndexToCode(index));
      return GaijiIndexToCode(index);
    }
  return 0;
}

void CCandidateCommands::OnCandidates() {
  CLog::Print(L"Command:標準文字の候補\n");
  if (!CanShowCandidates() || !EnsureIndex(Owner())) return;
  const int code = GaijiIndexToCode(m_app.Document().GaijiList()->GetSelectedIndex());
  CCandidateDlg(*this, code).DoModal(Owner());
}

void CCandidateCommands::OnCandidateTable() {
  CLog::Print(L"Command:標準文字の対応表を出力\n");
  if (!CanWriteTable()) return;
  const std::filesystem::path proposed = m_app.Document().BesideShownFont(L"_候補.csv");
  std::wstring filter = LoadResourceString(IDS_CANDIDATE_FILTER);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  CSaveFileDlg dialog(filter.c_str(), L"csv");
  if (!dialog.DoModal(Owner(), proposed) || !EnsureIndex(Owner())) return;

  CBrowserGaijiListCtrl* list = m_app.Document().GaijiList();
  const bool readings = m_app.Yomi().Count() > 0 && m_app.Document().IsLinkedFont();
  std::vector<CandidateRow> rows;
  {
    CWaitCursor wait;
    for (int index = 0; index < kGaijiCount; ++index) {
      if (!list->HasGlyphAt(index)) continue;
      CandidateRow row;
      row.code = GaijiIndexToCode(index);
      if (readings) row.readings = m_app.Yomi().GetReadingList(row.code);
      CShapeFeature shape;
      if (ShapeOf(row.code, shape, nullptr)) row.candidates = m_index.Find(shape, kCandidateColumns);
      rows.push_back(std::move(row));
    }
  }
  const std::wstring target = dialog.Path().wstring();
  if (!WriteCandidateTable(dialog.Path(), rows)) {
    ShowMessageLogged(Owner(), IDS_ERR_CANDIDATE_TABLE, MB_OK | MB_ICONEXCLAMATION, target.c_str());
    return;
  }
  CLog::Print(L"対応表出力(%s)=%d件\n", target.c_str(), static_cast<int>(rows.size()));
  ShowMessage(Owner(), IDS_MSG_CANDIDATE_TABLE, MB_OK | MB_ICONINFORMATION, target.c_str(), static_cast<int>(rows.size()));
}

}  // namespace moji
