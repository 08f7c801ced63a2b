// CImeCtrl: puts the input method of one window into a fixed mode. Made on the stack for
// one focus change: it takes the window's input context at construction and releases it
// at destruction. Without an input context (no input method) everything is a no-op.
//
// SetMode(mode):
//   kImeNone (0)     nothing
//   kImeClose (9)    close the input method if it is open
//   kImeHiragana (1) open it if closed; conversion = current | NATIVE | FULLSHAPE, without
//                    KATAKANA: full-width hiragana
//   kImeHankakuKana (2) open it if closed; conversion = current | NATIVE | 0x42 (KATAKANA
//                    and 0x40), without FULLSHAPE: half-width katakana
//   any other        open it if closed; conversion unchanged
// Only the low 8 bits of the conversion mode change; the sentence mode is written back as
// it was read. The conversion mode is read after opening; when it cannot be read, it is
// left alone.
//
// All input-method calls go through IImeApi, so tests can install a recording fake with
// CImeCtrl::SetApi (under Wine there is no input method whose state could be observed).
#pragma once

#include <windows.h>

#include <imm.h>

namespace moji {

class IImeApi {
 public:
  virtual ~IImeApi() = default;
  virtual HIMC GetContext(HWND window) = 0;
  virtual void ReleaseContext(HWND window, HIMC context) = 0;
  virtual bool GetOpenStatus(HIMC context) = 0;
  virtual bool SetOpenStatus(HIMC context, bool open) = 0;
  virtual bool GetConversionStatus(HIMC context, DWORD& conversion, DWORD& sentence) = 0;
  virtual bool SetConversionStatus(HIMC context, DWORD conversion, DWORD sentence) = 0;
};

class CImeCtrl {
 public:
  static constexpr int kImeNone = 0;
  static constexpr int kImeHiragana = 1;
  static constexpr int kImeHankakuKana = 2;
  static constexpr int kImeClose = 9;

  explicit CImeCtrl(HWND window);
  ~CImeCtrl();
  CImeCtrl(const CImeCtrl&) = delete;
  CImeCtrl& operator=(const CImeCtrl&) = delete;

  bool IsOpen() const;
  void SetMode(int mode);

  // The conversion mode that SetMode(mode) writes when the current one is `current`.
  static DWORD ConversionFor(int mode, DWORD current);

  // The interface every CImeCtrl uses; nullptr restores the system's (IMM32). Returns the
  // previous one.
  static IImeApi* SetApi(IImeApi* api);
  static IImeApi& Api();

 private:
  HWND m_window;
  HIMC m_context;
};

}  // namespace moji
