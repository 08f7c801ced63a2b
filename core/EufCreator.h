// Creating the EUF file of a TTE: a copy of the template of the glyph size receives the
// bitmap of every gaiji that the system draws from the TTE while it is linked to the gaiji
// display typeface for the time of the run.
//
// The new file is built under a claimed temporary name beside the EUF path and moved into
// place only once it is complete; after a failure or a cancel neither an EUF nor a
// temporary file is left, so the next open of the TTE asks again.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "EudcLinkSwitcher.h"
#include "GlyphRenderer.h"
#include "LogSink.h"
#include "Prompter.h"
#include "TTEMetrics.h"

namespace moji {

namespace eufmake {
// Messages of the creation (string-table numbers).
inline constexpr int kMsgLinkFailed = 2041;         // the TTE cannot be linked to the face
inline constexpr int kMsgCopyFailed = 2044;         // template, EUF path, system error text
inline constexpr int kMsgExcludePredefined = 5023;  // Yes / No / Cancel
inline constexpr int kMsgCreated = 6001;            // number of stored glyphs
inline constexpr int kMsgUnreadableTte = 6006;      // TTE path; Yes / No
}  // namespace eufmake

// Questions and messages of the creation (CPrompter), the system's text for a failed file
// operation, and its busy state.
class CEufCreatePrompter : public CPrompter {
 public:
  // The system's text for the error of the file operation that has just failed.
  virtual std::u16string LastSystemErrorText() = 0;
  // Set while the glyphs are drawn and stored (wait box and wait cursor); no message is
  // shown in between.
  virtual void SetBusy(bool busy) { (void)busy; }
};

// The version the system reports; x.0 of the NT family from 5 on may define some codes of
// the gaiji space in its own fonts.
struct OsVersion {
  bool nt = false;
  unsigned major = 0;
  unsigned minor = 0;
};

// The version as a program without a compatibility manifest sees it: systems after 6.2
// report 6.2 to such programs. Ours declare Windows 7 to 11 in their manifests and so see
// 10.0 on Windows 10 and 11, which the x.0 rule above is not about.
OsVersion UndeclaredProgramVersion(OsVersion os);

struct EufCreateRequest {
  std::filesystem::path ttePath;
  std::filesystem::path eufPath;
  bool unicode = false;     // U+E000..U+F8FF instead of U+E000..U+E757
  int bitmapSize = 64;      // stored bitmaps are bitmapSize × bitmapSize
  int drawSize = 64;        // drawing cell and character height; must equal bitmapSize
  std::u16string face;      // the gaiji display typeface the TTE is linked to
  std::u16string defaultEudcFont;        // the link for all typefaces afterwards, when there was none
  std::filesystem::path templateFolder;  // where SPACE_<size>.euf lies
  OsVersion os;
};

struct EufCreateServices {
  CEufCreatePrompter& prompter;
  CEudcLinkSwitcher& link;
  CGlyphRenderer& renderer;
  CLogSink& log;
  CLinkJournal* journal = nullptr;  // where a temporary link is recorded until it is undone
};

// templateFolder / "SPACE_<size>.euf".
std::filesystem::path EufTemplatePath(const std::filesystem::path& templateFolder, int size);

// Creates request.eufPath from the TTE whose reader is `tte`. Returns 1 when the TTE could
// be linked and the EUF is in place (also with no glyph stored), otherwise 0 and no file.
int CreateEufFromTte(const CTTEMetrics& tte, const EufCreateRequest& request, const EufCreateServices& services);

}  // namespace moji
