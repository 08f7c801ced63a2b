// CMyCommandLineInfo: the browser's command-line parser. The command line has no options:
// each argument loses one leading "/" or "-", and the first argument that names an
// existing file or folder becomes the target, unchanged ("/M", which a browser passes to a
// new browser, is therefore ignored unless a file "M" exists). Whether the target is a
// gaiji file is checked afterwards (CheckStartTarget, StartTarget.h).
#pragma once

#include <string>

namespace moji {

class CMyCommandLineInfo {
 public:
  // Parses a whole command line whose first token is the program.
  void ParseCommandLine(const wchar_t* commandLine);

  const std::wstring& Target() const { return m_target; }

 private:
  std::wstring m_target;
};

}  // namespace moji
