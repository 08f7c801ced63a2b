#include "OleSession.h"

#include <windows.h>
#include <ole2.h>

namespace moji {
namespace {

thread_local bool t_started = false;

}  // namespace

bool EnsureOle() {
  if (t_started) return true;
  const HRESULT result = ::OleInitialize(nullptr);
  if (FAILED(result)) return result == RPC_E_CHANGED_MODE;  // a multithreaded apartment: COM works, drag and drop not
  t_started = true;  // S_FALSE too: every successful call is ended once
  return true;
}

void EndOle() {
  if (!t_started) return;
  t_started = false;
  ::OleUninitialize();
}

}  // namespace moji
