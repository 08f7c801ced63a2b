#include "EufCreator.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "BinaryFile.h"
#include "EufFile.h"
#include "FileReplace.h"
#include "GaijiCode.h"
#include "ScopeGuard.h"

namespace moji {

namespace {

using Answer = CEufCreatePrompter::Answer;
using Buttons = CEufCreatePrompter::Buttons;
using Icon = CEufCreatePrompter::Icon;

std::u16string Decimal(int value) { return std::filesystem::path(std::to_string(value)).u16string(); }

// The claimed temporary file of a run: removed again unless it was moved into place.
class CTempFile {
 public:
  explicit CTempFile(std::filesystem::path path) : m_path(std::move(path)) {}
  ~CTempFile() {
    if (m_path.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
  }
  CTempFile(const CTempFile&) = delete;
  CTempFile& operator=(const CTempFile&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  void Keep() { m_path.clear(); }

 private:
  std::filesystem::path m_path;
};

class CBusy {
 public:
  explicit CBusy(CEufCreatePrompter& prompter) : m_prompter(prompter) { m_prompter.SetBusy(true); }
  ~CBusy() { m_prompter.SetBusy(false); }
  CBusy(const CBusy&) = delete;
  CBusy& operator=(const CBusy&) = delete;

 private:
  CEufCreatePrompter& m_prompter;
};

// The file of a run: the records, appended one after the other, reach it in large writes
// instead of one write per glyph. A write that fails is reported by a later write or Sync.
class CAppendBuffer final : public CByteSource {
 public:
  explicit CAppendBuffer(std::unique_ptr<CBinaryFile> file) : m_file(std::move(file)) { m_pending.reserve(kLimit); }

  std::uint64_t Size() const override { return std::max(m_file->Size(), m_at + m_pending.size()); }
  std::size_t ReadAt(std::uint64_t offset, void* dst, std::size_t n) override {
    return Flush() ? m_file->ReadAt(offset, dst, n) : 0;
  }
  bool WriteAt(std::uint64_t offset, const void* src, std::size_t n) override {
    const auto* bytes = static_cast<const std::uint8_t*>(src);
    if (!m_pending.empty() && offset == m_at + m_pending.size() && m_pending.size() + n <= kLimit) {
      m_pending.insert(m_pending.end(), bytes, bytes + n);
      return true;
    }
    if (!Flush()) return false;
    if (n >= kLimit) return m_file->WriteAt(offset, src, n);
    m_at = offset;
    m_pending.assign(bytes, bytes + n);
    return true;
  }
  // Everything written so far on the disk.
  bool Sync() { return Flush() && m_file->Flush(); }

 private:
  static constexpr std::size_t kLimit = 256 * 1024;
  bool Flush() {
    if (m_pending.empty()) return true;
    const bool written = m_file->WriteAt(m_at, m_pending.data(), m_pending.size());
    m_pending.clear();
    return written;
  }

  std::unique_ptr<CBinaryFile> m_file;
  std::uint64_t m_at = 0;
  std::vector<std::uint8_t> m_pending;
};

// Copies all of `from` into the open file `to`, in pieces.
bool CopyInto(const std::filesystem::path& from, CBinaryFile& to) {
  auto source = CBinaryFile::Open(from, CBinaryFile::Access::Read);
  if (!source) return false;
  std::array<std::uint8_t, 64 * 1024> buffer;
  for (std::uint64_t at = 0; at < source->Size();) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), source->Size() - at));
    if (!source->ReadExact(at, buffer.data(), want) || !to.WriteAt(at, buffer.data(), want)) return false;
    at += want;
  }
  return true;
}

bool IsBlank(std::span<const std::uint8_t> bits) {
  return std::all_of(bits.begin(), bits.end(), [](std::uint8_t b) { return b == 0xFF; });
}

}  // namespace

OsVersion UndeclaredProgramVersion(OsVersion os) {
  if (os.major > 6 || (os.major == 6 && os.minor > 2)) {
    os.major = 6;
    os.minor = 2;
  }
  return os;
}

std::filesystem::path EufTemplatePath(const std::filesystem::path& templateFolder, int size) {
  return templateFolder / std::filesystem::path(u"SPACE_" + Decimal(size) + u".euf");
}

int CreateEufFromTte(const CTTEMetrics& tte, const EufCreateRequest& request, const EufCreateServices& services) {
  CEufCreatePrompter& ui = services.prompter;
  const int size = request.bitmapSize;
  if (request.drawSize != size) return 0;
  const std::u16string ttePath = request.ttePath.u16string();
  const std::u16string eufPath = request.eufPath.u16string();

  // A TTE the reader could not read is drawn code by code without its presence flags.
  const bool usePresence = tte.readStatus == CTTEMetrics::kOk;
  if (!usePresence && ui.Message(eufmake::kMsgUnreadableTte, Buttons::YesNo, Icon::Question, {ttePath}, true) != Answer::Yes)
    return 0;

  bool excludePredefined = false;
  const OsVersion os = UndeclaredProgramVersion(request.os);
  if (request.unicode && os.nt && os.major >= 5 && os.minor == 0) {
    const Answer answer = ui.Message(eufmake::kMsgExcludePredefined, Buttons::YesNoCancel, Icon::Question, {}, true);
    if (answer == Answer::Cancel) return 0;
    excludePredefined = answer == Answer::Yes;
  }

  // The template's copy, under a temporary name beside the EUF.
  const std::filesystem::path templatePath = EufTemplatePath(request.templateFolder, size);
  auto copyFailed = [&] {
    ui.Message(eufmake::kMsgCopyFailed, Buttons::Ok, Icon::None,
               {templatePath.u16string(), eufPath, ui.LastSystemErrorText()}, true);
    return 0;
  };
  const auto tempPath = CreateTempBeside(request.eufPath);
  if (!tempPath) return copyFailed();
  CTempFile temp(*tempPath);
  auto file = CBinaryFile::Open(temp.Path(), CBinaryFile::Access::ReadWrite);
  if (!file) return copyFailed();
  if (!CopyInto(templatePath, *file)) return copyFailed();

  // The copy must be an EUF table whose glyphs have the size drawn.
  auto buffered = std::make_unique<CAppendBuffer>(std::move(file));
  CAppendBuffer* const output = buffered.get();
  CEufFile euf;
  int status = euf.Load(std::move(buffered));
  if (status == 0 && (euf::BitmapBytes(size, size) == 0 || euf.GlyphSize() != std::make_pair(size, size)))
    status = euf::kMsgInternalError;
  if (status != 0) {
    ui.Message(status, Buttons::Ok, Icon::None, {eufPath}, true);
    return 0;
  }

  std::vector<std::uint8_t> bits(euf::BitmapBytes(size, size));
  services.log.Print(u"EUF作成開始(size=" + Decimal(size) + u",EUF=" + eufPath + u")\n");

  int count = 0;
  bool written = true;
  std::u16string writeError;
  bool linked = false;
  {
    // Whichever way the drawing is left, an exception included, the renderer ends and the
    // TTE's temporary link to the display face is undone.
    CTemporaryLink link(services.link, services.journal);
    CScopeGuard undo([&] {
      services.renderer.End();
      link.Undo();
    });
    linked = link.Link(ttePath, request.face, request.defaultEudcFont) == 0;
    if (linked) linked = services.renderer.Begin(request.ttePath, request.face, size);
    if (!linked) ui.Message(eufmake::kMsgLinkFailed, Buttons::Ok, Icon::None, {}, true);
    if (linked) {
      CBusy busy(ui);
      const int last = request.unicode ? kGaijiLast : kGaijiSjisLast;
      for (int code = kGaijiFirst; code <= last; ++code) {
        if (usePresence && !tte.HasGlyph(code)) continue;
        if (excludePredefined && IsWin2000PredefinedCode(code)) continue;
        if (code < euf.FirstCode() || code > euf.LastCode()) continue;
        if (!services.renderer.Render(code, bits) || IsBlank(bits)) continue;
        if (services.renderer.IsMiddleDotOutline(code)) continue;
        if (!euf.AddGlyph(code, size, size, bits)) {
          writeError = ui.LastSystemErrorText();
          written = false;
          break;
        }
        ++count;
      }
    }
  }

  if (linked && written) {
    if (!euf.Commit() || !output->Sync()) {
      writeError = ui.LastSystemErrorText();
      written = false;
    }
    euf.Close();
    if (written && !ReplaceFileWith(temp.Path(), request.eufPath)) {
      writeError = ui.LastSystemErrorText();
      written = false;
    }
    if (written) temp.Keep();
  }
  euf.Close();
  if (!linked) return 0;

  if (written)
    ui.Message(eufmake::kMsgCreated, Buttons::Ok, Icon::Information, {count}, true);
  else
    ui.Message(eufmake::kMsgCopyFailed, Buttons::Ok, Icon::None, {templatePath.u16string(), eufPath, writeError}, true);
  services.log.Print(u"EUF作成終了（件数=" + Decimal(count) + u":Err=" + Decimal(written ? 0 : 1) + u"）\n");
  return written ? 1 : 0;
}

}  // namespace moji
