// Pages of the compiled help file "Mojiview.chm" and the help context numbers that open
// them, one table per program (both programs share the one file). The help build
// (tools/make_help.py) reads every page named here and fails when the compiled file lacks
// one of them.
#pragma once

#include <span>

namespace moji {

// Help context numbers of the programs' windows and dialogs.
inline constexpr unsigned kHelpContextMain = 40;      // main windows and most dialogs
inline constexpr unsigned kHelpContextYomiEdit = 14;  // the reading edit dialog
inline constexpr unsigned kHelpContextCandidates = 41;  // the standard-character candidates

struct HelpTopic {
  unsigned context;
  const char16_t* page;  // path inside the help file
};

// The help file's first page (its table of contents names every other page).
inline constexpr const char16_t* kHelpFirstPage = u"index.htm";

// The browser's topics: its main window and the dialogs without a page of their own open
// the first page.
inline constexpr HelpTopic kBrowserHelpTopics[] = {
    {kHelpContextMain, u"index.htm"},
    {kHelpContextYomiEdit, u"yomi.htm"},
    {kHelpContextCandidates, u"candidates.htm"},
};

// The printer's topics: its main window and its About box open the printer's page.
inline constexpr HelpTopic kPrinterHelpTopics[] = {
    {kHelpContextMain, u"printer.htm"},
};

// The page of `context` in `topics`; the first topic's page for a number without a page of
// its own.
const char16_t* HelpTopicPage(std::span<const HelpTopic> topics, unsigned context);

}  // namespace moji
