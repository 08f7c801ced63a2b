#include "StartTarget.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

#include "LinkedFontPath.h"
#include "TextConv.h"

namespace moji {
namespace {

// Existence as a fixed set of names, recording what was asked.
struct FakeFiles {
  std::set<std::u16string> names;
  std::vector<std::u16string> asked;
  ExistsFunction Function() {
    return [this](const std::u16string& name) {
      asked.push_back(name);
      return names.count(name) > 0;
    };
  }
};

TEST(StartTarget, FirstExistingArgumentWinsAfterOneSwitchCharacterIsRemoved) {
  FakeFiles files{{u"C:\\x\\EUDC.TTE", u"C:\\x\\b.tte", u"M", u"/y.tte"}, {}};
  EXPECT_EQ(FindStartTarget({u"-C:\\x\\EUDC.TTE"}, files.Function()), u"C:\\x\\EUDC.TTE");
  EXPECT_EQ(FindStartTarget({u"/C:\\x\\EUDC.TTE"}, files.Function()), u"C:\\x\\EUDC.TTE");
  EXPECT_EQ(FindStartTarget({u"C:\\x\\EUDC.TTE", u"C:\\x\\b.tte"}, files.Function()), u"C:\\x\\EUDC.TTE");
  EXPECT_EQ(FindStartTarget({u"nonexist.tte", u"C:\\x\\b.tte"}, files.Function()), u"C:\\x\\b.tte");
  // Only one switch character goes; "M" from " /M" becomes a target only when such a file exists.
  EXPECT_EQ(FindStartTarget({u"//y.tte"}, files.Function()), u"/y.tte");
  EXPECT_EQ(FindStartTarget({u"/M"}, files.Function()), u"M");
  files.names.erase(u"M");
  EXPECT_EQ(FindStartTarget({u"/M"}, files.Function()), u"");
  files.asked.clear();
  EXPECT_EQ(FindStartTarget({u"nonexist.tte", u"-", u""}, files.Function()), u"");
  EXPECT_EQ(files.asked, std::vector<std::u16string>{u"nonexist.tte"});  // empty names are never asked about
}

TEST(StartTarget, ACommandLineHasArgumentsWhenMoreThanBlanksFollowTheProgramName) {
  const struct {
    std::u16string line;
    bool hasArguments;
  } cases[] = {
      {u"", false},
      {u"Mojiview.exe", false},
      {u"Mojiview.exe  \t ", false},
      {u"\"C:\\Program Files\\Mojiview.exe\"", false},
      {u"\"C:\\Program Files\\Mojiview.exe\" ", false},
      {u"\"C:\\Program Files\\Mojiview.exe", false},  // no closing quotation mark
      {u"Mojiview.exe a.tte", true},
      {u"Mojiview.exe\t/x", true},
      {u"\"C:\\Program Files\\Mojiview.exe\" \"C:\\my fonts\\a.tte\"", true},
      {u"\"C:\\Mojiview.exe\"a.tte", true},
      {u" Mojiview.exe", true},  // a leading blank: left to the full split
  };
  for (const auto& c : cases) EXPECT_EQ(HasArguments(c.line), c.hasArguments) << ToUtf8(c.line);
}

TEST(StartTarget, RealFilesAndFoldersCountAsExisting) {
  const auto dir = std::filesystem::temp_directory_path() / "moji_start_target_test";
  std::filesystem::create_directories(dir);
  const auto file = dir / "EUDC.TTE";
  std::ofstream(file) << "x";
  const std::u16string fileName = file.u16string(), dirName = dir.u16string();
  // Every name gets a switch character, since a Linux path itself begins with "/".
  const auto dashed = [](const std::u16string& name) { return std::u16string(1, u'-').append(name); };
  EXPECT_EQ(FindStartTarget({dashed((dir / "missing.tte").u16string()), dashed(fileName)}), fileName);
  EXPECT_EQ(FindStartTarget({dashed(dirName), dashed(fileName)}), dirName);
  std::filesystem::remove_all(dir);
  EXPECT_EQ(FindStartTarget({dashed(fileName)}), u"");
}

TEST(StartTarget, OnlyNamesLongerThanFourEndingInTteOrEufPass) {
  for (const char16_t* good : {u"C:\\x\\EUDC.TTE", u"a.euf", u"footte", u"X.eUf", u"abcdeuf"})
    EXPECT_EQ(CheckStartTarget(good), 0) << std::u16string_view(good).size();
  for (const char16_t* bad : {u"C:\\x\\EUDC.TXT", u"a.b", u".tte", u"tte", u"", u"a.ttf", u"a.tte "})
    EXPECT_EQ(CheckStartTarget(bad), kMsgNotGaijiFile) << std::u16string_view(bad).size();
}

TEST(StartTarget, DerivedNamesReplaceTheLastThreeCharacters) {
  EXPECT_EQ(DerivedPath(u"D:\\fonts\\EUDC.tte", u"ymi"), u"D:\\fonts\\EUDC.ymi");
  EXPECT_EQ(DerivedPath(u"D:\\fonts\\EUDC.EUF", u"tte"), u"D:\\fonts\\EUDC.tte");
  EXPECT_EQ(DerivedPath(u"footte", u"euf"), u"fooeuf");
  EXPECT_EQ(DerivedPath(u"a.b", u"euf"), u"euf");
  EXPECT_EQ(DerivedPath(u"", u"tte"), u"tte");
}

TEST(LinkedFontPath, BareNamesGoToTheFontsFolderAndDrivePathsStay) {
  const std::u16string fonts = u"C:\\Windows\\Fonts";
  EXPECT_EQ(MakeLinkedFontPath(u"EUDC.TTE", fonts, true), u"C:\\Windows\\Fonts\\EUDC.TTE");
  EXPECT_EQ(MakeLinkedFontPath(u"EUDC.TTE", fonts, false), u"C:\\Windows\\Fonts\\EUDC.EUF");
  EXPECT_EQ(MakeLinkedFontPath(u"EUDC.TTE", u"C:\\", true), u"C:\\EUDC.TTE");
  EXPECT_EQ(MakeLinkedFontPath(u"D:\\gaiji\\my.tte", fonts, true), u"D:\\gaiji\\my.TTE");
  EXPECT_EQ(MakeLinkedFontPath(u"D:\\gaiji\\my.tte", fonts, false), u"D:\\gaiji\\my.EUF");
  // Nothing, or a single character, left after the extension: no folder in front.
  EXPECT_EQ(MakeLinkedFontPath(u"X", fonts, true), u"TTE");
  EXPECT_EQ(MakeLinkedFontPath(u"X", fonts, false), u"EUF");
  EXPECT_EQ(MakeLinkedFontPath(u"", fonts, true), u"TTE");
  EXPECT_EQ(MakeLinkedFontPath(u"A.tte", fonts, false), u"C:\\Windows\\Fonts\\A.EUF");
  EXPECT_EQ(MakeLinkedFontPath(u"AB.c", fonts, true), u"ATTE");
  // A UNC path is a full path too.
  EXPECT_EQ(MakeLinkedFontPath(u"\\\\srv\\fonts\\my.tte", fonts, true), u"\\\\srv\\fonts\\my.TTE");
}

std::string AsciiLower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST(LinkedFontPath, StoredFormIsTheBareNameOnlyDirectlyInTheFontsFolder) {
  const std::u16string fonts = u"C:\\WINDOWS\\Fonts";
  const struct {
    std::u16string shown, stored;
  } cases[] = {
      {u"C:\\WINDOWS\\Fonts\\MYGAIJI.TTE", u"MYGAIJI.TTE"},
      {u"c:\\windows\\FONTS\\MyGaiji.tte", u"MyGaiji.tte"},  // any letter case
      {u"C:\\WINDOWS\\Fonts\\sub\\my.tte", u"C:\\WINDOWS\\Fonts\\sub\\my.tte"},
      {u"D:\\gaiji\\my.tte", u"D:\\gaiji\\my.tte"},
      {u"C:\\WINDOWS\\Fonts2\\my.tte", u"C:\\WINDOWS\\Fonts2\\my.tte"},
      {u"\\\\srv\\share\\my.tte", u"\\\\srv\\share\\my.tte"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinkStoredForm(c.shown, fonts), c.stored) << ToUtf8(c.shown);
    // The stored form leads back to the shown file, as the linked-font test compares them.
    EXPECT_EQ(AsciiLower(ToUtf8(MakeLinkedFontPath(c.stored, fonts, true))), AsciiLower(ToUtf8(c.shown)));
  }
  EXPECT_EQ(LinkStoredForm(u"C:\\Fonts\\a.tte", u"C:\\Fonts\\"), u"a.tte");  // folder with its backslash
  EXPECT_EQ(LinkStoredForm(u"a.tte", u""), u"a.tte");
}

}  // namespace
}  // namespace moji
