// The display scale of a window, looked up at run time: the per-monitor functions of user32
// exist from Windows 10 (1607) on, and the programs still start on Windows 7 and 8.1, where
// the system dpi (device caps) stands for every monitor.
#pragma once

#include <windows.h>

#include "DisplayScale.h"

namespace moji {

// The dpi of the monitor the window is on (GetDpiForWindow), or LOGPIXELSY of its DC; 96
// without a window.
int WindowDpi(HWND window);

// The system dpi: what the device caps of the screen report, and what the controls' default
// fonts are made for.
int SystemDpi();

// A copy of `font` (the stock GUI font when null) with its height scaled from `fromDpi` to
// `toDpi`; the caller deletes it.
HFONT CreateRescaledFont(HFONT font, int fromDpi, int toDpi);

// A system metric (SM_CXFRAME, ...) at `dpi` (GetSystemMetricsForDpi), or the system's own.
int SystemMetricForDpi(int index, int dpi);

// The non-client metrics (fonts of the caption, menu, status bar and message boxes) at `dpi`
// (SystemParametersInfoForDpi), or the system's own. False when neither answers.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);

// `pixels96` pixels at 96 dpi on the display of `window`.
inline int ScaleForWindow(HWND window, int pixels96) { return ScaleToDpi(pixels96, WindowDpi(window)); }

}  // namespace moji
