// OLE (and with it COM) for the thread that runs a program's windows, started on its first
// need instead of at start-up: drag and drop, image encoding, the shell's folder dialog and
// shell execution call EnsureOle first. EndOle, at exit, ends a session that was started.
#pragma once

namespace moji {

// True when OLE is initialised on this thread (now or before, also by someone else).
bool EnsureOle();
// Ends the session EnsureOle started on this thread; nothing when none was started.
void EndOle();

}  // namespace moji
