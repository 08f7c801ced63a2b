// Any byte string as a reading file: the store loads it, answers the look-up of every code
// its records name, takes a replacement, saves, and a second store loading the saved file
// answers every look-up the same. Readings never exceed their 22-unit field.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "GaijiCode.h"
#include "YomiStore.h"

namespace {

class CYesPrompter final : public moji::CPrompter {
 public:
  Answer Message(int, Buttons, Icon, const std::vector<moji::MessageArg>&, bool) override { return Answer::Yes; }
};

// The folder of this process's reading file. libFuzzer ends without running exit handlers,
// so each run removes the folders of runs whose process is gone instead.
const std::filesystem::path& WorkFolder() {
  static const std::filesystem::path folder = [] {
    std::error_code ec;
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path base = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
    const std::string prefix = "fuzz_yomi.";
    for (std::filesystem::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (name.rfind(prefix, 0) != 0) continue;
      const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
      if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        std::error_code ignored;
        std::filesystem::remove_all(it->path(), ignored);
      }
    }
    std::filesystem::path made = base / (prefix + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    return made;
  }();
  return folder;
}

std::vector<std::vector<std::u16string>> LookUp(const moji::CYomiStore& store, const std::set<int>& codes) {
  std::vector<std::vector<std::u16string>> lists;
  for (int code : codes) {
    std::vector<std::u16string> list = store.GetReadingList(code);
    for (const std::u16string& reading : list) {
      if (reading.size() > moji::kYomiTextBytes / 2 || reading.find(u'\0') != std::u16string::npos) __builtin_trap();
    }
    std::u16string joined;
    for (std::size_t i = 0; i < list.size(); ++i) joined += (i ? u"," : u"") + list[i];
    if (store.GetReadings(code) != joined) __builtin_trap();
    lists.push_back(std::move(list));
  }
  return lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path shown = WorkFolder() / "font.tte";
  const std::filesystem::path file = moji::YomiFilePath(shown);
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

  // Every code the records name, its neighbours, and the ends of the gaiji space.
  std::set<int> codes{moji::kGaijiFirst, moji::kGaijiLast, moji::kGaijiFirst - 1, moji::kGaijiLast + 1};
  for (std::size_t at = 0; at + moji::kYomiRecordSize <= size; at += moji::kYomiRecordSize) {
    const int code = moji::YomiRecordCode(data + at);
    codes.insert({code - 1, code, code + 1});
  }

  CYesPrompter prompter;
  moji::CYomiStore store(prompter, [] { return 64; }, true);
  store.LoadReadings(shown);
  if (!store.HasStore()) return 0;
  LookUp(store, codes);

  // A replacement of the first code named: its readings, cut to ten characters, in order.
  const int target = size >= 2 && moji::IsUnicodeGaiji(moji::YomiRecordCode(data)) ? moji::YomiRecordCode(data)
                                                                                     : moji::kGaijiFirst;
  const std::vector<std::u16string> readings{u"あいうえおかきくけこさしす", u"ん"};
  if (store.ReplaceReadings(target, readings) &&
      store.GetReadingList(target) != std::vector<std::u16string>{u"あいうえおかきくけこ", u"ん"})
    __builtin_trap();
  codes.insert(target);
  const auto before = LookUp(store, codes);

  store.SaveReadings(true);
  if (store.IsChanged()) return 0;  // not saved: nothing to compare
  moji::CYomiStore again(prompter, [] { return 64; }, true);
  again.LoadReadings(shown);
  if (LookUp(again, codes) != before) __builtin_trap();
  return 0;
}
