// Scripted stand-ins for the services of EUF creation: they record every call and answer
// as the test sets them up.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <new>
#include <set>

#include "EufCreator.h"

namespace moji::test {

struct ShownMessage {
  int id;
  CEufCreatePrompter::Buttons buttons;
  CEufCreatePrompter::Icon icon;
  std::vector<MessageArg> args;
  bool log;
};

// Answers questions from `answers` (an unexpected question fails the test).
class CFakePrompter final : public CEufCreatePrompter {
 public:
  Answer Message(int id, Buttons buttons, Icon icon, const std::vector<MessageArg>& args, bool log) override {
    shown.push_back({id, buttons, icon, args, log});
    if (buttons == Buttons::Ok) return Answer::Ok;
    const auto answer = answers.find(id);
    if (answer == answers.end()) {
      ADD_FAILURE() << "unexpected question " << id;
      return Answer::Cancel;
    }
    return answer->second;
  }
  std::u16string LastSystemErrorText() override { return u"system error text"; }
  void SetBusy(bool on) override { busyChanges.push_back(on); }

  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (const auto& m : shown) ids.push_back(m.id);
    return ids;
  }

  std::map<int, Answer> answers;
  std::vector<ShownMessage> shown;
  std::vector<bool> busyChanges;
};

struct LinkCall {
  std::u16string tte, target, codePage;
  bool operator==(const LinkCall&) const = default;
};

// Every call succeeds except linking a TTE, which gives `linkResult`. The link values live in
// `values` (absent: no value), changed as the registry would change them.
class CFakeLink final : public CEudcLinkSwitcher {
 public:
  int SwitchEudc(const std::u16string& tte, const std::u16string& target, const std::u16string& codePage) override {
    calls.push_back({tte, target, codePage});
    if (!tte.empty() && linkResult != 0) return linkResult;
    if (!tte.empty())
      values[target] = tte;
    else if (target == kLinkAllTypefaces)
      values[target] = u"EUDC.TTE";
    else
      values.erase(target);
    return 0;
  }
  std::optional<std::u16string> QueryLink(const std::u16string& target, const std::u16string&) override {
    const auto value = values.find(target);
    return value == values.end() ? std::nullopt : std::optional(value->second);
  }
  std::vector<std::u16string> ListLinks(const std::u16string&) override {
    std::vector<std::u16string> names;
    for (const auto& value : values) names.push_back(value.first);
    return names;
  }
  int linkResult = 0;
  std::vector<LinkCall> calls;
  std::map<std::u16string, std::u16string> values;
};

// Draws the bitmaps of `glyphs`, every other code blank; `middleDots` look like U+30FB.
class CFakeRenderer final : public CGlyphRenderer {
 public:
  bool Begin(const std::filesystem::path& tte, const std::u16string& face, int size) override {
    begun.push_back({tte, face, size});
    return beginResult;
  }
  bool Render(int code, std::span<std::uint8_t> bits) override {
    rendered.push_back(code);
    if (code == throwAt) throw std::bad_alloc();
    const auto glyph = glyphs.find(code);
    if (glyph == glyphs.end() || glyph->second.size() != bits.size())
      std::fill(bits.begin(), bits.end(), 0xFF);
    else
      std::copy(glyph->second.begin(), glyph->second.end(), bits.begin());
    return true;
  }
  bool IsMiddleDotOutline(int code) override { return middleDots.count(code) != 0; }
  void End() override { ++ended; }

  bool beginResult = true;
  int throwAt = -1;  // Render throws std::bad_alloc for this code
  std::map<int, std::vector<std::uint8_t>> glyphs;
  std::set<int> middleDots;
  struct BeginCall {
    std::filesystem::path tte;
    std::u16string face;
    int size;
  };
  std::vector<BeginCall> begun;
  std::vector<int> rendered;
  int ended = 0;
};

class CFakeLog final : public CLogSink {
 public:
  void Print(std::u16string_view line) override { lines.emplace_back(line); }
  void PrintCopyFailure(const std::filesystem::path& source, const std::filesystem::path& target) override {
    lines.push_back(u"copy failed: " + source.u16string() + u" -> " + target.u16string());
  }
  std::vector<std::u16string> lines;
};

}  // namespace moji::test
