// The in-process tests run the program's window classes inside this test program, for what the
// window system does not show to other processes (under Wine, another process's menus read as
// empty). The framework needs an application object, as in the program itself.
#include "framework/app.h"

namespace {
CWinApp g_testApp;
}  // namespace
