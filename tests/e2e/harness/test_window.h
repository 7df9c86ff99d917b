#pragma once
// A plain top-level window owned by the test, on a thread of its own that serves its messages:
// the companion program's window (by its title), or a window to click through an overlay.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class TestWindow {
public:
    TestWindow(const std::wstring& title, const RECT& rect, bool visible = true);
    // A window showing lines of text, like a page being presented; `checkered`, over squares of
    // several colours, so that a translucent or magnified picture above it shows what it does.
    TestWindow(const std::wstring& title, const RECT& rect, std::vector<std::wstring> lines,
               bool checkered = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    void Show();
    void Hide();
    // Moves the window to the top of the Z-order without activating it: of the ordinary
    // windows, or with topMost of all windows (it then stays top-most).
    void Raise(bool topMost = false);
    // Left-button presses the window received.
    int Clicks() const { return m_clicks.load(); }
    // Paint requests the window received: another program that invalidates every window on the
    // desktop makes them rise.
    int Paints() const { return m_paints.load(); }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Run(std::wstring title, RECT rect, bool visible);

    void Paint(HWND hWnd);
    void PaintSquares(HWND hWnd, HDC dc);

    std::vector<std::wstring> m_lines;
    bool m_checkered = false;
    std::thread m_thread;
    HANDLE m_ready = nullptr;
    HWND m_hWnd = nullptr;
    DWORD m_threadId = 0;
    std::atomic<int> m_clicks{0};
    std::atomic<int> m_paints{0};
};
