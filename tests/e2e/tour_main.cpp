// A short scripted tour through Tuvo's modes, for the run command on a machine without a
// display: it starts Tuvo.exe, shows each mode with the pointer moving over a backdrop, and at
// each stage asks for a screenshot by printing "shot <name>" and waiting for a line on its input.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

void Shot(const char* name)
{
    std::printf("shot %s\n", name);
    std::fflush(stdout);
    char line[64];
    std::fgets(line, sizeof line, stdin);
}

// Moves the pointer from `from` to `to` along a gentle arc, one step per 20 ms.
void Glide(POINT from, POINT to, int steps)
{
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const int x = from.x + static_cast<int>((to.x - from.x) * t);
        const int y = from.y + static_cast<int>((to.y - from.y) * t - 120 * std::sin(t * 3.14159));
        ::SetCursorPos(x, y);
        ::Sleep(20);
    }
}

}  // namespace

int main()
{
    // A page being presented, for the overlays to show against.
    TestWindow backdrop(L"Tuvo tour: backdrop", RECT{420, 180, 1780, 1000},
                        {L"Quarterly review", L"\x2022 Revenue grew in every region",
                         L"\x2022 Support tickets answered within a day",
                         L"\x2022 Three new partners signed", L"\x2022 Next steps: hiring, tooling",
                         L"Follow the pointer: it shows where to look."});
    TuvoProcess tuvo;
    if (tuvo.Panel() == nullptr) {
        std::fprintf(stderr, "tour: Tuvo did not start\n");
        return 1;
    }
    ::SetForegroundWindow(tuvo.MainWindow());
    ::SetCursorPos(900, 560);
    ::Sleep(300);
    Shot("1-panel");

    tuvo.Click(IDC_RPEMO);
    Glide({900, 560}, {1000, 598}, 25);
    ::Sleep(300);
    Shot("2-pemo");

    tuvo.Click(IDC_RDEKA);
    Glide({1000, 598}, {1150, 620}, 10);
    ::Sleep(300);
    Shot("3-deka");

    tuvo.Click(IDC_RRIBBON);
    ::SetCursorPos(700, 800);
    ::Sleep(200);
    Glide({700, 800}, {1300, 520}, 30);
    Shot("4-ribbon");

    tuvo.Click(IDC_ROFF);
    ::Sleep(200);
    tuvo.Close();
    return 0;
}
