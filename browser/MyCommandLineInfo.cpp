#include "MyCommandLineInfo.h"

#include "ProcessUtil.h"

namespace moji {

void CMyCommandLineInfo::ParseCommandLine(const wchar_t* commandLine) {
  m_target = FindCommandLineStartTarget(commandLine);
}

}  // namespace moji
