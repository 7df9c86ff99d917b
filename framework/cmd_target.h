#pragma once
// The root of everything that owns a message map: windows and the application object.
#include "framework/message_map.h"
#include "framework/runtime_class.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    // Runs the handler of a command (WM_COMMAND) from this object's map; false if none.
    bool RouteCommand(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
