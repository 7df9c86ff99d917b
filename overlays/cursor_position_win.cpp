#include "overlays/cursor_position.h"

#include <windows.h>

bool ReadCursorPosition(Point& pt)
{
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) {
        return false;
    }
    pt = Point{cursor.x, cursor.y};
    return true;
}
