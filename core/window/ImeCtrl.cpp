#include "ImeCtrl.h"

namespace moji {
namespace {

class CSystemImeApi final : public IImeApi {
 public:
  HIMC GetContext(HWND window) override { return ::ImmGetContext(window); }
  void ReleaseContext(HWND window, HIMC context) override { ::ImmReleaseContext(window, context); }
  bool GetOpenStatus(HIMC context) override { return ::ImmGetOpenStatus(context) != FALSE; }
  bool SetOpenStatus(HIMC context, bool open) override { return ::ImmSetOpenStatus(context, open) != FALSE; }
  bool GetConversionStatus(HIMC context, DWORD& conversion, DWORD& sentence) override {
    return ::ImmGetConversionStatus(context, &conversion, &sentence) != FALSE;
  }
  bool SetConversionStatus(HIMC context, DWORD conversion, DWORD sentence) override {
    return ::ImmSetConversionStatus(context, conversion, sentence) != FALSE;
  }
};

CSystemImeApi g_systemApi;
IImeApi* g_api = &g_systemApi;

}  // namespace

IImeApi* CImeCtrl::SetApi(IImeApi* api) {
  IImeApi* previous = g_api;
  g_api = api ? api : &g_systemApi;
  return previous;
}

IImeApi& CImeCtrl::Api() { return *g_api; }

CImeCtrl::CImeCtrl(HWND window) : m_window(window), m_context(window ? Api().GetContext(window) : nullptr) {}

CImeCtrl::~CImeCtrl() {
  if (m_context) Api().ReleaseContext(m_window, m_context);
}

bool CImeCtrl::IsOpen() const { return m_context && Api().GetOpenStatus(m_context); }

DWORD CImeCtrl::ConversionFor(int mode, DWORD current) {
  DWORD low = current & 0xFF;
  if (mode == kImeHiragana) {
    low = (low | IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE) & ~static_cast<DWORD>(IME_CMODE_KATAKANA);
  } else if (mode == kImeHankakuKana) {
    low = (low | IME_CMODE_NATIVE | 0x42) & ~static_cast<DWORD>(IME_CMODE_FULLSHAPE);
  }
  return (current & ~static_cast<DWORD>(0xFF)) | (low & 0xFF);
}

void CImeCtrl::SetMode(int mode) {
  if (!m_context || mode == kImeNone) return;
  IImeApi& api = Api();
  if (mode == kImeClose) {
    if (IsOpen()) api.SetOpenStatus(m_context, false);
    return;
  }
  if (!IsOpen()) api.SetOpenStatus(m_context, true);
  if (mode != kImeHiragana && mode != kImeHankakuKana) return;
  DWORD conversion = 0, sentence = 0;
  if (!api.GetConversionStatus(m_context, conversion, sentence)) return;
  api.SetConversionStatus(m_context, ConversionFor(mode, conversion), sentence);
}

}  // namespace moji
