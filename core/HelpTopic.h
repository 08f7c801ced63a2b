// Pages of the compiled help file "Mojiview.chm" and the help context numbers that open
// them. The help build (tools/make_help.py) reads kHelpTopics from this file and fails
// when the compiled file lacks one of its pages.
#pragma once

namespace moji {

// Help context numbers of the programs' windows and dialogs.
inline constexpr unsigned kHelpContextMain = 40;      // main windows and most dialogs
inline constexpr unsigned kHelpContextYomiEdit = 14;  // the reading edit dialog
inline constexpr unsigned kHelpContextCandidates = 41;  // the standard-character candidates

struct HelpTopic {
  unsigned context;
  const char16_t* page;  // path inside the help file
};

inline constexpr HelpTopic kHelpTopics[] = {
    {kHelpContextMain, u"index.htm"},
    {kHelpContextYomiEdit, u"yomi.htm"},
    {kHelpContextCandidates, u"candidates.htm"},
};

// The page of `context`; the main page for a number without a page of its own.
const char16_t* HelpTopicPage(unsigned context);

}  // namespace moji
