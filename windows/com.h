// SPDX-License-Identifier: MIT
#pragma once

namespace qzd::windows {

// COM starts on the window's thread when something first needs it (the pictures' decoder, the open
// dialog, the screen readers' names), not with the program: the first frame needs none of it, and
// its DLLs load only then. True once COM runs on the calling thread.
bool StartCom();
// Ends COM on the calling thread if StartCom started it.
void StopCom();

}  // namespace qzd::windows
