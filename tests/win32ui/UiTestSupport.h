// Helpers of the window-layer tests: message pumping and a recording input-method fake.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ImeCtrl.h"
#include "MessageLoop.h"

namespace moji::test {

// Processes everything queued (and what that queues in turn), with pre-translation.
inline void Pump() {
  CMessageLoop loop;
  for (int i = 0; i < 20; ++i) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) break;
    if (!loop.RunPending()) break;
  }
}

// Records the input-method calls; the state answers like an input method would.
class FakeImeApi final : public IImeApi {
 public:
  FakeImeApi() : m_previous(CImeCtrl::SetApi(this)) {}
  ~FakeImeApi() override { CImeCtrl::SetApi(m_previous); }

  HIMC GetContext(HWND window) override {
    calls.push_back(L"GetContext");
    return hasContext && window ? reinterpret_cast<HIMC>(0x1234) : nullptr;
  }
  void ReleaseContext(HWND, HIMC) override { calls.push_back(L"ReleaseContext"); }
  bool GetOpenStatus(HIMC) override { return open; }
  bool SetOpenStatus(HIMC, bool value) override {
    calls.push_back(value ? L"Open" : L"Close");
    open = value;
    return true;
  }
  bool GetConversionStatus(HIMC, DWORD& c, DWORD& s) override {
    if (!conversionReadable) return false;
    c = conversion;
    s = sentence;
    return true;
  }
  bool SetConversionStatus(HIMC, DWORD c, DWORD s) override {
    calls.push_back(L"SetConversion " + std::to_wstring(c) + L" " + std::to_wstring(s));
    conversion = c;
    sentence = s;
    return true;
  }

  bool hasContext = true;
  bool open = false;
  bool conversionReadable = true;
  DWORD conversion = 0;
  DWORD sentence = 0;
  std::vector<std::wstring> calls;

 private:
  IImeApi* m_previous;
};

}  // namespace moji::test
