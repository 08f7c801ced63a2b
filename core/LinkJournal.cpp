#include "LinkJournal.h"

#include <charconv>
#include <system_error>

#include "BinaryFile.h"
#include "EudcLinkSwitcher.h"
#include "FileReplace.h"
#include "LogSink.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr std::string_view kHeader = "MojiEudcLinkJournal 1";
constexpr std::string_view kProcess = "process ";
constexpr std::string_view kLink = "link ";
constexpr std::string_view kNoLink = "nolink ";
constexpr std::u16string_view kFilePrefix = u"EudcLink-";
constexpr std::u16string_view kFileSuffix = u".jnl";

std::string Escape(std::u16string_view text) {
  std::string out;
  for (const char c : ToUtf8(text)) {
    switch (c) {
      case '%': out += "%25"; break;
      case '\t': out += "%09"; break;
      case '\r': out += "%0D"; break;
      case '\n': out += "%0A"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<std::u16string> Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      if (text[i] == '\t' || text[i] == '\r') return std::nullopt;
      out += text[i];
      continue;
    }
    const std::string_view code = text.substr(i + 1, 2);
    if (code == "25") out += '%';
    else if (code == "09") out += '\t';
    else if (code == "0D") out += '\r';
    else if (code == "0A") out += '\n';
    else return std::nullopt;
    i += 2;
  }
  // The journal is written in UTF-8; a text that does not convert back unchanged is damaged.
  std::u16string decoded = FromUtf8(out);
  if (ToUtf8(decoded) != out) return std::nullopt;
  return decoded;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::u16string Decimal(std::uint64_t value) { return FromUtf8(std::to_string(value)); }

}  // namespace

std::string FormatLinkJournal(const LinkJournalRecord& record) {
  std::string text(kHeader);
  text += "\n";
  text += std::string(kProcess) + std::to_string(record.process.id) + " " + std::to_string(record.process.start) + "\n";
  for (const SavedLink& saved : record.links) {
    if (saved.value)
      text += std::string(kLink) + Escape(saved.target) + "\t" + Escape(*saved.value) + "\n";
    else
      text += std::string(kNoLink) + Escape(saved.target) + "\n";
  }
  return text;
}

std::optional<LinkJournalRecord> ParseLinkJournal(std::string_view text) {
  if (text.size() > kMaxJournalBytes || text.empty() || text.back() != '\n') return std::nullopt;
  LinkJournalRecord record;
  std::size_t lineNumber = 0;
  for (std::size_t begin = 0; begin < text.size(); ++lineNumber) {
    const std::size_t end = text.find('\n', begin);
    const std::string_view line = text.substr(begin, end - begin);
    begin = end + 1;
    if (lineNumber == 0) {
      if (line != kHeader) return std::nullopt;
    } else if (lineNumber == 1) {
      if (!StartsWith(line, kProcess)) return std::nullopt;
      const std::string_view fields = line.substr(kProcess.size());
      const std::size_t space = fields.find(' ');
      if (space == std::string_view::npos || !ParseNumber(fields.substr(0, space), record.process.id) ||
          !ParseNumber(fields.substr(space + 1), record.process.start))
        return std::nullopt;
    } else {
      if (record.links.size() == kMaxJournalLinks) return std::nullopt;
      SavedLink saved;
      std::optional<std::u16string> target;
      if (StartsWith(line, kLink)) {
        const std::string_view fields = line.substr(kLink.size());
        const std::size_t tab = fields.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        target = Unescape(fields.substr(0, tab));
        saved.value = Unescape(fields.substr(tab + 1));
        if (!saved.value) return std::nullopt;
      } else if (StartsWith(line, kNoLink)) {
        target = Unescape(line.substr(kNoLink.size()));
      }
      if (!target || target->empty()) return std::nullopt;
      saved.target = std::move(*target);
      record.links.push_back(std::move(saved));
    }
  }
  if (lineNumber < 2) return std::nullopt;
  return record;
}

void RestoreLinks(CEudcLinkSwitcher& link, const std::vector<SavedLink>& saved) {
  for (const SavedLink& s : saved) {
    if (s.target == kLinkAllTypefaces) link.SwitchEudc(u"", kLinkAllTypefaces, kLinkCodePage);
    if (s.value || s.target != kLinkAllTypefaces) link.SwitchEudc(s.value.value_or(u""), s.target, kLinkCodePage);
  }
}

CLinkJournal::CLinkJournal(std::filesystem::path folder, ProcessStamp self)
    : m_folder(std::move(folder)), m_self(self) {}

std::filesystem::path CLinkJournal::Path() const {
  return m_folder / std::filesystem::path(std::u16string(kFilePrefix) + Decimal(m_self.id) + std::u16string(kFileSuffix));
}

bool CLinkJournal::Write(const std::vector<SavedLink>& links) {
  std::error_code error;
  std::filesystem::create_directories(m_folder, error);
  const std::string text = FormatLinkJournal({m_self, links});
  return WriteFileAtomically(Path(), std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void CLinkJournal::Remove() {
  std::error_code error;
  std::filesystem::remove(Path(), error);
}

std::vector<LinkJournalRecord> CLinkJournal::RepairStale(const std::filesystem::path& folder, CEudcLinkSwitcher& link,
                                                         const std::function<bool(const ProcessStamp&)>& isRunning,
                                                         CLogSink& log) {
  std::vector<LinkJournalRecord> repaired;
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::u16string name = it->path().filename().u16string();
    if (name.starts_with(kFilePrefix) && name.ends_with(kFileSuffix)) files.push_back(it->path());
  }
  for (const std::filesystem::path& file : files) {
    const auto bytes = ReadWholeFile(file, kMaxJournalBytes);
    if (!bytes) continue;
    const std::optional<LinkJournalRecord> record =
        ParseLinkJournal(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!record || isRunning(record->process)) continue;
    // The file names its own process: a record copied under another name is not trusted.
    if (file.filename() != CLinkJournal({}, record->process).Path().filename()) continue;
    RestoreLinks(link, record->links);
    for (const SavedLink& saved : record->links)
      log.Print(u"EUDCリンク復元(PID=" + Decimal(record->process.id) + u":Target=" +
                (saved.target == kLinkAllTypefaces ? std::u16string(u"All") : saved.target) +
                u":TTE=" + saved.value.value_or(u"解除") + u")\n");
    std::filesystem::remove(file, error);
    repaired.push_back(*record);
  }
  return repaired;
}

}  // namespace moji
