#include "harness/test_window.h"

namespace {
const wchar_t kClassName[] = L"TuvoTestWindow";
}  // namespace

TestWindow::TestWindow(const std::wstring& title, const RECT& rect, bool visible)
{
    m_ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread(&TestWindow::Run, this, title, rect, visible);
    ::WaitForSingleObject(m_ready, 10000);
}

TestWindow::TestWindow(const std::wstring& title, const RECT& rect,
                       std::vector<std::wstring> lines, bool checkered)
    : m_lines(std::move(lines)), m_checkered(checkered)
{
    m_ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread(&TestWindow::Run, this, title, rect, true);
    ::WaitForSingleObject(m_ready, 10000);
}

TestWindow::~TestWindow()
{
    if (m_hWnd != nullptr) {
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    } else {
        ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    ::CloseHandle(m_ready);
}

void TestWindow::Show() { ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE); }
void TestWindow::Hide() { ::ShowWindow(m_hWnd, SW_HIDE); }
void TestWindow::Raise(bool topMost)
{
    ::SetWindowPos(m_hWnd, topMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK TestWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (message) {
    case WM_LBUTTONDOWN:
        if (self != nullptr) {
            ++self->m_clicks;
        }
        return 0;
    case WM_PAINT:
        if (self != nullptr) {
            ++self->m_paints;
        }
        if (self != nullptr && !self->m_lines.empty()) {
            self->Paint(hWnd);
            return 0;
        }
        break;
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void TestWindow::Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hWnd, &ps);
    if (m_checkered) {
        PaintSquares(hWnd, dc);
    }
    HFONT title = ::CreateFontW(56, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                ANTIALIASED_QUALITY, 0, L"Arial");
    HFONT body = ::CreateFontW(34, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                               0, ANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ previous = ::SelectObject(dc, title);
    ::SetBkMode(dc, TRANSPARENT);
    int y = 60;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        ::SetTextColor(dc, i == 0 ? RGB(20, 60, 140) : RGB(40, 40, 40));
        ::TextOutW(dc, 80, y, m_lines[i].c_str(), static_cast<int>(m_lines[i].size()));
        if (i == 0) {
            ::SelectObject(dc, body);
            y += 40;
        }
        y += 60;
    }
    ::SelectObject(dc, previous);
    ::DeleteObject(title);
    ::DeleteObject(body);
    ::EndPaint(hWnd, &ps);
}

void TestWindow::PaintSquares(HWND hWnd, HDC dc)
{
    const int kSide = 40;
    const COLORREF kColours[] = {RGB(255, 255, 255), RGB(120, 170, 230), RGB(250, 200, 120),
                                 RGB(140, 210, 150), RGB(60, 60, 90)};
    RECT client{};
    ::GetClientRect(hWnd, &client);
    for (int y = 0; y < client.bottom; y += kSide) {
        for (int x = 0; x < client.right; x += kSide) {
            const RECT square{x, y, x + kSide, y + kSide};
            HBRUSH brush = ::CreateSolidBrush(kColours[(x / kSide + 2 * (y / kSide)) % 5]);
            ::FillRect(dc, &square, brush);
            ::DeleteObject(brush);
        }
    }
}

void TestWindow::Run(std::wstring title, RECT rect, bool visible)
{
    m_threadId = ::GetCurrentThreadId();
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TestWindow::WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);  // fails harmlessly when another test window registered it
    m_hWnd = ::CreateWindowExW(0, kClassName, title.c_str(), WS_POPUP | WS_BORDER, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                               nullptr, wc.hInstance, this);
    if (visible) {
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    }
    ::SetEvent(m_ready);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    m_hWnd = nullptr;
}
