#pragma once
// The one place the program asks where the pointer is. The system cannot always say: the read
// fails while the workstation is locked, on the secure desktop (elevation prompts, Ctrl+Alt+Del)
// and in some remote sessions. A tick that cannot read the pointer must not act on a position
// it does not have, so the read says whether it succeeded and leaves the caller's last known
// position in place when it did not.
#include "framework/geometry.h"

// Stores the pointer's position in virtual-screen pixels in `pt` and returns true; when the
// position cannot be read, returns false and leaves `pt` as it was.
bool ReadCursorPosition(Point& pt);
