#include "ImeWordRegistration.h"

#include <cstdio>

#include "BinaryFile.h"
#include "FileReplace.h"
#include "TextConv.h"

namespace moji {

namespace fs = std::filesystem;

namespace {

// A reading file larger than the largest store cannot come from this program; reading it
// whole would only risk the memory.
constexpr std::uint64_t kMaxReadingFileBytes =
    static_cast<std::uint64_t>(CYomiStore::kMaxCountLimit + 1) * kYomiRecordSize;

// The whole file; nothing when it cannot be opened or read, or is implausibly large.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const fs::path& path) {
  const auto file = CBinaryFile::Open(path, CBinaryFile::Access::Read);
  if (!file || file->Size() > kMaxReadingFileBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file->Size()));
  if (!bytes.empty() && file->ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
  return bytes;
}

std::u16string Printf(const char* format, auto... args) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return FromUtf8(buffer);
}

struct WordCounts {
  int done = 0;
  int errors = 0;
};

// Sends every whole record of `records` through `call` (reading, word); a trailing remainder
// shorter than a record is left out. Failures are logged with `errorPrefix` and counted.
template <typename Call>
WordCounts SendWords(const std::vector<std::uint8_t>& records, const char16_t* errorPrefix, CLogSink& log, Call call) {
  WordCounts counts;
  for (std::size_t at = 0; at + kYomiRecordSize <= records.size(); at += kYomiRecordSize) {
    const std::uint8_t* record = records.data() + at;
    const std::u16string reading = YomiRecordReading(record);
    const std::u16string word(1, static_cast<char16_t>(YomiRecordCode(record)));
    if (call(reading, word)) {
      ++counts.done;
    } else {
      ++counts.errors;
      log.Print(errorPrefix + reading + u":" + word + u"\n");
    }
  }
  return counts;
}

}  // namespace

std::optional<ImeWordStyle> ChooseImeWordStyle(const std::vector<ImeWordStyle>& styles, CLogSink& log) {
  if (styles.empty()) return std::nullopt;
  ImeWordStyle chosen = styles.front();
  for (std::size_t i = 0; i < styles.size(); ++i) {
    if (styles[i].description.find(imereg::kSingleKanjiStyle) == std::u16string::npos) continue;
    log.Print(Printf("品詞NO[%d]=<%8.8X>'", static_cast<int>(i), static_cast<unsigned>(styles[i].value)) +
              styles[i].description + u"'\n");
    chosen = styles[i];
  }
  return chosen;
}

std::optional<ImeRegistrationCounts> RegisterReadingsWithIme(CYomiStore& store, const fs::path& oldCopy,
                                                             const ImeRegistrationServices& services) {
  if (!store.HasStore()) return std::nullopt;
  store.SaveReadings(true);
  const auto current = ReadWholeFile(store.Path());
  if (!current) {
    services.prompter.Show(kMsgYomiOpenFailed, {});
    return std::nullopt;
  }

  CImeWordRegistrar& ime = services.ime;
  ime.SelectKeyboardLayout();
  const std::u16string fileName = ime.FileName();
  const std::vector<ImeWordStyle> styles = ime.Styles();
  if (styles.empty()) {
    services.prompter.Message(imereg::kMsgNoStyle, CPrompter::Buttons::Ok, CPrompter::Icon::None, {}, true);
    return std::nullopt;
  }

  if (services.setBusy) services.setBusy(true);
  CLogSink& log = services.log;
  log.Print(u"IM単語登録開始\n");
  log.Print(u"IM=" + fileName + u"\n");
  const std::uint32_t style = ChooseImeWordStyle(styles, log)->value;

  ImeRegistrationCounts counts;
  if (const auto previous = ReadWholeFile(oldCopy)) {
    const WordCounts removed = SendWords(*previous, u"Del Err YOMI=", log, [&](const auto& reading, const auto& word) {
      return ime.Unregister(reading, style, word);
    });
    counts.deleted = removed.done;
    counts.deleteErrors = removed.errors;
  }
  log.Print(Printf("旧単語登録削除件数=%d:Err=%d\n", counts.deleted, counts.deleteErrors));

  const WordCounts added = SendWords(*current, u"Add Err YOMI=", log, [&](const auto& reading, const auto& word) {
    return ime.Register(reading, style, word);
  });
  counts.added = added.done;
  counts.addErrors = added.errors;
  log.Print(Printf("単語登録件数=%d:Err=%d\n", counts.added, counts.addErrors));
  log.Print(u"IM単語登録終了\n");
  if (services.setBusy) services.setBusy(false);

  // The copy tells the next run which words to remove: written whole or not at all.
  if (!WriteFileAtomically(oldCopy, *current)) {
    log.PrintCopyFailure(store.Path(), oldCopy);  // before anything else can change the last error
    services.prompter.Message(imereg::kMsgOldCopyFailed, CPrompter::Buttons::Ok, CPrompter::Icon::None,
                              {store.Path().u16string(), oldCopy.u16string()}, true);
  }
  services.prompter.Message(imereg::kMsgStatus, CPrompter::Buttons::Ok, CPrompter::Icon::Information,
                            {counts.deleted, counts.deleteErrors, counts.added, counts.addErrors}, false);
  return counts;
}

}  // namespace moji
