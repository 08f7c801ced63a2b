// Private window messages of the browser.
#pragma once

#include <windows.h>

namespace moji {

// Posted by the browser to its own view: open the application's start target (the file
// named on the command line, or a dropped file). The view takes it out of the message
// stream before dispatch.
constexpr UINT WM_APP_OPEN_START_TARGET = 0x8002;

// Received by the main frame from the glyph editor when it has changed the gaiji: reload
// the shown file. Taken out of the message stream before dispatch.
constexpr UINT WM_APP_RELOAD = 0x80C8;

}  // namespace moji
