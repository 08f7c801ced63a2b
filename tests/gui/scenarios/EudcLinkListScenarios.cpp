// The list of the user's EUDC links: three prepared values (fine, missing TTE, no EUF); the
// broken one removed after Yes (No changes nothing), registry and count following; 開く.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>

#include "BrowserFileScenario.h"
#include "EudcRegistry.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr wchar_t kListCaption[] = L"外字ﾘﾝｸの一覧";
constexpr wchar_t kMissingFace[] = L"ＭＳ 明朝";
constexpr wchar_t kNoEufFace[] = L"ＭＳ ゴシック";

class EudcLinkListScenario : public CEudcLinkScenario {
 protected:
  void SetUp() override {
    CEudcLinkScenario::SetUp();
    if (HasFatalFailure()) return;
    RestoreEudcValues({});  // only the prepared values, whatever earlier runs left
    const std::filesystem::path gaiji = Folder().File(L"gaiji");
    m_fine = PlaceSmallPair(gaiji / L"fine");
    m_missing = gaiji / L"gone.tte";
    const std::filesystem::path noEuf = PlaceFixture("small.tte", gaiji / L"noeuf.tte");
    ASSERT_TRUE(SetEudcValue(kLinkForAll, m_fine.wstring()));
    ASSERT_TRUE(SetEudcValue(kMissingFace, m_missing.wstring()));
    ASSERT_TRUE(SetEudcValue(kNoEufFace, noEuf.wstring()));
  }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
  // A value's TTE as the list resolves it: its extension in capitals.
  static std::filesystem::path Resolved(std::filesystem::path tte) { return tte.replace_extension(L".TTE"); }

  std::filesystem::path m_fine, m_missing;
};

TEST_F(EudcLinkListScenario, TheBrokenLinkIsRemovedAfterYesAndTheCountFollows) {
  HWND main = StartBrowser();
  ASSERT_TRUE(main);
  ASSERT_TRUE(PostCommand(main, ID_EUDC_LINK_LIST));
  HWND dialog = WaitForDialog(BrowserId(), kListCaption);
  ASSERT_TRUE(dialog);
  HWND list = GetDlgItem(dialog, IDC_LINK_LIST);
  EXPECT_EQ(Ask(list, LVM_GETITEMCOUNT), 3);
  EXPECT_EQ(ControlText(dialog, IDC_LINK_COUNT), L"ﾘﾝｸ: 3 件　ﾘﾝｸ切れ: 1 件");
  EXPECT_TRUE(Enabled(dialog, IDC_LINK_DELETE_BROKEN));
  Screenshot(L"", dialog);

  const RegistryValues prepared = ReadEudcValues();
  ASSERT_TRUE(PressButton(dialog, IDC_LINK_DELETE_BROKEN));
  const std::wstring question = AnswerMessage(IDNO);
  EXPECT_THAT(question, HasSubstr(std::wstring(kMissingFace) + L"\t" + Resolved(m_missing).wstring()));
  EXPECT_THAT(question, Not(HasSubstr(kNoEufFace)));
  EXPECT_EQ(ReadEudcValues(), prepared) << "changed without Yes";

  ASSERT_TRUE(PressButton(dialog, IDC_LINK_DELETE_BROKEN));
  AnswerMessage(IDYES);
  EXPECT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_LINK_COUNT) == L"ﾘﾝｸ: 2 件　ﾘﾝｸ切れ: 0 件"; }, 5000))
      << ControlText(dialog, IDC_LINK_COUNT);
  RegistryValues expected = prepared;
  expected.erase(kMissingFace);
  EXPECT_EQ(ReadEudcValues(), expected);
  EXPECT_FALSE(Enabled(dialog, IDC_LINK_DELETE_BROKEN));
  EXPECT_THAT(Log(), HasSubstr(L"SwitchEudc(TTE=解除:Target=ＭＳ 明朝:CP=932:result=0)"));
  Screenshot(L"removed", dialog);

  // The first row, the link for all typefaces: opened, never removed here.
  ASSERT_TRUE(SendKey(list, VK_HOME));
  EXPECT_TRUE(WaitUntil([&] { return Enabled(dialog, IDC_LINK_OPEN); }, 3000)) << "no row selected";
  EXPECT_FALSE(Enabled(dialog, IDC_LINK_DELETE));
  ASSERT_TRUE(PressButton(dialog, IDC_LINK_OPEN));
  EXPECT_EQ(WaitForTitle(main, Title(Resolved(m_fine))), Title(Resolved(m_fine)));
}

}  // namespace
}  // namespace moji::gui
