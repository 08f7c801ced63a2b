// MojiStateHook.dll: the hook procedure that QueryCommandStates installs in a frame's
// thread. It answers the query there, before the frame's window procedure sees it.
#include <windows.h>

#include "CommandStateQuery.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK CommandStateHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call && call->message == moji::CommandStateQueryMessage() && call->message != 0)
    moji::AnswerCommandStateQuery(call->hwnd, reinterpret_cast<HWND>(call->wParam));
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
