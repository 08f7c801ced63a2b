#include "Dpi.h"

namespace moji {
namespace {

// A function of user32 by name; null where this Windows does not have it.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (window && getDpiForWindow)
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  HDC dc = ::GetDC(window);
  const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dc) ::ReleaseDC(window, dc);
  return ValidDpi(dpi);
}

int SystemDpi() { return WindowDpi(nullptr); }

HFONT CreateRescaledFont(HFONT font, int fromDpi, int toDpi) {
  LOGFONTW description{};
  if (!::GetObjectW(font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), sizeof description,
                    &description))
    return nullptr;
  description.lfHeight = ::MulDiv(description.lfHeight, ValidDpi(toDpi), ValidDpi(fromDpi));
  description.lfWidth = ::MulDiv(description.lfWidth, ValidDpi(toDpi), ValidDpi(fromDpi));
  return ::CreateFontIndirectW(&description);
}

int SystemMetricForDpi(int index, int dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return forDpi ? forDpi(index, static_cast<UINT>(ValidDpi(dpi))) : ::GetSystemMetrics(index);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi) {
  using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  static const auto forDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof metrics;
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(ValidDpi(dpi))))
    return true;
  return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE;
}

}  // namespace moji
