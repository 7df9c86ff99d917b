#include "soak/driver.h"

#include <cmath>

#include "harness/hot_item_trigger.h"
#include "harness/tuvo_process.h"

namespace {
const UINT kAnswerTimeoutMs = 5000;
}  // namespace

bool Responsive(const TuvoProcess& tuvo)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(tuvo.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                 kAnswerTimeoutMs, &result) != 0;
}

Point PathPoint(int i, const Rect& screen, const Rect& panel)
{
    if (i % 101 < 3) {
        return Point{(panel.left + panel.right) / 2 + i % 7, (panel.top + panel.bottom) / 2};
    }
    // Two sines of unrelated periods: over a few thousand steps every region is visited, and
    // the extremes reach the screen's first and last pixels.
    const double u = 0.5 + 0.5 * std::sin(i * 0.0131);
    const double v = 0.5 + 0.5 * std::sin(i * 0.0173 + 1.0);
    return Point{screen.left + static_cast<int>(u * (screen.Width() - 1) + 0.5),
                 screen.top + static_cast<int>(v * (screen.Height() - 1) + 0.5)};
}

Rect ScreenRect()
{
    RECT r{};
    ::GetWindowRect(::GetDesktopWindow(), &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

HotItemSender::HotItemSender(const TuvoProcess& tuvo) : m_panel(tuvo.Panel())
{
    m_library = ::LoadLibraryW(L"tuvo_hot_item_hook.dll");
    if (m_library == nullptr) {
        return;
    }
    auto hookProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(::GetProcAddress(m_library, "HotItemHook")));
    const DWORD thread = ::GetWindowThreadProcessId(m_panel, nullptr);
    m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, hookProc, m_library, thread);
}

HotItemSender::~HotItemSender()
{
    if (m_hook != nullptr) {
        ::UnhookWindowsHookEx(m_hook);
    }
    if (m_library != nullptr) {
        ::FreeLibrary(m_library);
    }
}

void HotItemSender::Send(int id, DWORD flags)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(m_panel, HotItemTriggerMessage(), static_cast<WPARAM>(id), flags,
                          SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result);
}
