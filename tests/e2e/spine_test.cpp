// Start-up, main window, control panel, mode buttons, message boxes, single instance and
// shutdown of the real program, seen from outside through the window system.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness/console_reader.h"
#include "harness/overlay_windows.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

const int kRadios[] = {IDC_ROFF, IDC_RPEMO, IDC_RDEKA, IDC_RRIBBON};

// The radio ids that show as checked, in template order.
std::vector<int> CheckedRadios(const TuvoProcess& tuvo)
{
    std::vector<int> checked;
    for (int id : kRadios) {
        if (::SendMessageW(tuvo.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            checked.push_back(id);
        }
    }
    return checked;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// What the fault hook recorded, told by name: each named window's end ("main", "panel",
// "lens"...) and each timer 101 stopped on a named window ("lens timer"...). Other windows (the
// panel's controls) are left out.
std::vector<std::string> NamedEvents(const FaultHookBlock& faults,
                                     const std::vector<std::pair<HWND, std::string>>& names)
{
    std::vector<std::string> seen;
    const LONG recorded = faults.eventCount;
    const LONG count = std::min<LONG>(recorded, FaultHookBlock::kEvents);
    for (LONG i = 0; i < count; ++i) {
        const FaultHookEvent& e = faults.events[i];
        for (const auto& [window, name] : names) {
            if (window == nullptr || e.window != reinterpret_cast<ULONG_PTR>(window)) {
                continue;
            }
            if (e.kind == FaultHookEvent::kDestroyed) {
                seen.push_back(name);
            } else if (e.kind == FaultHookEvent::kTimerKilled && e.timerId == 101) {
                seen.push_back(name + " timer");
            }
        }
    }
    return seen;
}

}  // namespace

TEST(MainWindow, HostsThePanelWithItsControlsInTemplateOrder)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.MainWindow(), nullptr);
    ASSERT_NE(tuvo.Panel(), nullptr);

    HWND link = ::GetDlgItem(tuvo.MainWindow(), IDC_SYSLINK1);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(ClassNameOf(link), L"SysLink");
    EXPECT_NE(WindowText(link).find(L">Powerd By Quillbarrow</a>"), std::wstring::npos)
        << WindowText(link).c_str();
    EXPECT_NE(WindowText(link).find(L"/toppage/"), std::wstring::npos);
    EXPECT_TRUE(ExStyleOf(tuvo.MainWindow()) & WS_EX_APPWINDOW);
    EXPECT_FALSE(StyleOf(tuvo.MainWindow()) & WS_MAXIMIZEBOX);
    EXPECT_TRUE(StyleOf(tuvo.MainWindow()) & WS_MINIMIZEBOX);
    EXPECT_FALSE(StyleOf(tuvo.MainWindow()) & WS_THICKFRAME) << "not resizable";
    const Rect main = RectOf(tuvo.MainWindow());
    EXPECT_EQ(main.left, 0) << "opens at the screen's top-left corner, not centred";
    EXPECT_EQ(main.top, 0);

    EXPECT_TRUE(StyleOf(tuvo.Panel()) & WS_CHILD);
    EXPECT_TRUE(::IsWindowVisible(tuvo.Panel()));
    EXPECT_TRUE(ExStyleOf(tuvo.Panel()) & WS_EX_CLIENTEDGE);

    const struct {
        int id;
        const wchar_t* text;
        DWORD kind;  // the button-style bits
    } expected[] = {
        {IDC_GROUP_ACTION, L"Action", BS_GROUPBOX},
        {IDC_ROFF, L"OFF", BS_AUTORADIOBUTTON},
        {IDC_RPEMO, L"Pemo", BS_AUTORADIOBUTTON},
        {IDC_RDEKA, L"Deka", BS_AUTORADIOBUTTON},
        {IDC_RRIBBON, L"Ribbon", BS_AUTORADIOBUTTON},
        {IDC_GROUP_PROPERTY, L"Propaty", BS_GROUPBOX},
        {IDC_PROPERTY_PEMO, L"Pemo", BS_PUSHBUTTON},
        {IDC_PROPERTY_DEKA, L"Deka", BS_PUSHBUTTON},
        {IDC_PROPERTY_RIBBON, L"Ribbon", BS_PUSHBUTTON},
        {IDC_PROPERTY_COMMON, L"Common", BS_PUSHBUTTON},
    };
    HWND control = ::GetWindow(tuvo.Panel(), GW_CHILD);
    for (const auto& e : expected) {
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(::GetDlgCtrlID(control), e.id);
        EXPECT_EQ(WindowText(control), e.text);
        EXPECT_EQ(StyleOf(control) & BS_TYPEMASK, e.kind) << e.id;
        if (e.kind == BS_AUTORADIOBUTTON) {
            EXPECT_TRUE(StyleOf(control) & BS_PUSHLIKE) << e.id;
        }
        // The Tab key stops at the property buttons and at the selected mode only.
        EXPECT_EQ((StyleOf(control) & WS_TABSTOP) != 0,
                  e.kind == BS_PUSHBUTTON || e.id == IDC_ROFF) << e.id;
        // One group: it starts at "OFF" and runs to the end of the panel.
        EXPECT_EQ((StyleOf(control) & WS_GROUP) != 0,
                  e.id == IDC_GROUP_ACTION || e.id == IDC_ROFF) << e.id;
        control = ::GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the template has";

    EXPECT_EQ(CheckedRadios(tuvo), std::vector<int>{IDC_ROFF});
}

TEST(MainWindow, ClickingTheLinkOpensNothingAndChangesNothing)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.MainWindow(), nullptr);
    const size_t windowsBefore = TopLevelWindowsOf(tuvo.Pid()).size();
    const SessionSnapshot before = TakeSessionSnapshot();

    const RECT link = WindowRect(::GetDlgItem(tuvo.MainWindow(), IDC_SYSLINK1));
    MovePointerTo(Point{link.left + 8, (link.top + link.bottom) / 2});
    ClickAtPointer();

    // A browser, a program or a window of the program's own would show within this time.
    std::vector<std::string> appeared;
    WaitUntil([&] { return !(appeared = AppearedSince(before)).empty(); }, 2000);
    std::string list;
    for (const std::string& line : appeared) {
        list += line + "\n";
    }
    EXPECT_TRUE(appeared.empty()) << "the click opened:\n" << list;
    EXPECT_TRUE(tuvo.IsRunning());
    EXPECT_EQ(TopLevelWindowsOf(tuvo.Pid()).size(), windowsBefore);
    EXPECT_EQ(CheckedRadios(tuvo), std::vector<int>{IDC_ROFF});
}

TEST(ModeButtons, EachSelectsItsModeAndOnlyIt)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    for (int id : {IDC_RPEMO, IDC_RDEKA, IDC_RRIBBON, IDC_ROFF, IDC_RRIBBON, IDC_RPEMO}) {
        tuvo.Click(id);
        EXPECT_EQ(CheckedRadios(tuvo), std::vector<int>{id});
    }
}

TEST(PropertyButtons, ShowTheNotImplementedBoxAndChangeNothing)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ChooseModeAt(tuvo, IDC_RDEKA, Point{1500, 300});
    HWND lens = FindLens(tuvo);
    // Away from the panel and from where the box shows, one place for each box.
    const Point places[] = {{1400, 700}, {1100, 800}, {1600, 500}, {1300, 650}};
    int placeIndex = 0;
    for (int id : {IDC_PROPERTY_COMMON, IDC_PROPERTY_PEMO, IDC_PROPERTY_DEKA,
                   IDC_PROPERTY_RIBBON}) {
        tuvo.PostClick(id);
        const MessageBoxSeen box = WaitForMessageBox(tuvo.Pid(), L"Tuvo", tuvo.MainWindow());
        ASSERT_NE(box.window, nullptr) << "no box for button " << id;
        EXPECT_EQ(box.text, L"まだ未実装です。");
        EXPECT_TRUE(box.showsIcon) << "the exclamation icon of the application's boxes";
        EXPECT_EQ(::GetWindow(box.window, GW_OWNER), tuvo.MainWindow());
        EXPECT_FALSE(::IsWindowEnabled(tuvo.MainWindow())) << "the box is modal";
        // The overlays go on following the pointer while the box waits for its answer.
        MovePointerTo(places[placeIndex]);
        EXPECT_TRUE(ShowsCentredOn(lens, places[placeIndex])) << id << ": " << PlaceOf(lens);
        ++placeIndex;
        PressOk(box.window);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }));
        EXPECT_EQ(CheckedRadios(tuvo), std::vector<int>{IDC_RDEKA});
    }
    EXPECT_TRUE(::IsWindowEnabled(tuvo.MainWindow()));
}

TEST(SingleInstance, SecondStartShowsItsBoxExitsWithZeroAndLeavesTheFirstRunning)
{
    TuvoProcess first;
    ASSERT_NE(first.MainWindow(), nullptr);
    first.Click(IDC_RPEMO);

    TuvoStart again;
    again.arguments = L"-D119";
    again.waitForMainWindow = false;
    TuvoProcess second(again);
    ASSERT_TRUE(second.Started());
    const MessageBoxSeen box = WaitForMessageBox(second.Pid(), L"２重起動");
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"     Tuvoは既に起動されています.     ");
    EXPECT_FALSE(box.showsIcon) << "a plain OK box";
    EXPECT_EQ(::GetWindow(box.window, GW_OWNER), nullptr);
    for (HWND w : TopLevelWindowsOf(second.Pid())) {
        EXPECT_TRUE(w == box.window || !::IsWindowVisible(w))
            << "the box is the only window a second start shows";
    }

    PressOk(box.window);
    DWORD exitCode = 1234;
    ASSERT_TRUE(second.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);

    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(::IsWindowVisible(first.MainWindow()));
    EXPECT_EQ(CheckedRadios(first), std::vector<int>{IDC_RPEMO});
}

TEST(Shutdown, EveryWayOfClosingTheMainWindowEndsTheProcessWithCodeZero)
{
    const struct {
        const char* how;
        UINT message;
        WPARAM wParam;
    } ways[] = {
        {"WM_CLOSE", WM_CLOSE, 0},
        {"close box", WM_SYSCOMMAND, SC_CLOSE},
        {"OK command (Enter)", WM_COMMAND, IDOK},
        {"Cancel command (Esc)", WM_COMMAND, IDCANCEL},
        // The keys themselves, which the dialog's own message loop turns into those commands.
        {"Enter key", WM_KEYDOWN, VK_RETURN},
        {"Esc key", WM_KEYDOWN, VK_ESCAPE},
    };
    for (const auto& way : ways) {
        TuvoProcess tuvo;
        ASSERT_NE(tuvo.MainWindow(), nullptr) << way.how;
        ::PostMessageW(tuvo.MainWindow(), way.message, way.wParam, 0);
        DWORD exitCode = 1234;
        ASSERT_TRUE(tuvo.WaitForExit(15000, &exitCode)) << way.how;
        EXPECT_EQ(exitCode, 0u) << way.how;
    }
}

TEST(Shutdown, ThePanelEndsEveryOverlayInItsOrderBeforeTheMainWindowGoes)
{
    const Point p{1200, 650};
    const std::vector<std::string> withoutHighlight = {"lens timer", "lens",  "panel timer",
                                                       "ribbon",     "panel", "main"};
    std::vector<std::string> withHighlight = {"highlight timer", "highlight"};
    withHighlight.insert(withHighlight.end(), withoutHighlight.begin(), withoutHighlight.end());
    const struct {
        const char* mode;
        int radio;
        HWND (*overlay)(const TuvoProcess&);  // the mode's overlay, shown before the close
        const std::vector<std::string>& order;
    } modes[] = {
        {"Pemo", IDC_RPEMO, &FindPointerHighlight, withHighlight},
        {"Deka", IDC_RDEKA, &FindLens, withoutHighlight},
        {"Ribbon", IDC_RRIBBON, &FindRibbon, withoutHighlight},
        {"OFF", IDC_ROFF, nullptr, withoutHighlight},
    };
    for (const auto& m : modes) {
        TuvoStart start;
        start.faults = [](FaultHookBlock&) {};
        TuvoProcess tuvo(start);
        FaultHookBlock* faults = tuvo.Faults();
        ASSERT_NE(faults, nullptr) << m.mode;
        ChooseModeAt(tuvo, m.radio, p);
        HWND highlight = FindPointerHighlight(tuvo);
        HWND lens = FindLens(tuvo);
        HWND ribbon = FindRibbon(tuvo);
        ASSERT_NE(lens, nullptr) << m.mode;
        ASSERT_NE(ribbon, nullptr) << m.mode;
        if (m.overlay != nullptr) {
            HWND shown = m.overlay(tuvo);
            EXPECT_TRUE(ShowsCentredOn(shown, p)) << m.mode << ": " << PlaceOf(shown);
        }

        faults->recording = 1;
        DWORD exitCode = 1234;
        ASSERT_TRUE(tuvo.Close(15000, &exitCode)) << m.mode;
        EXPECT_EQ(exitCode, 0u) << m.mode;
        EXPECT_EQ(NamedEvents(*faults, {{highlight, "highlight"},
                                        {lens, "lens"},
                                        {ribbon, "ribbon"},
                                        {tuvo.Panel(), "panel"},
                                        {tuvo.MainWindow(), "main"}}),
                  m.order)
            << m.mode;
    }
}

TEST(Trace, SwitchLinesReachTheInheritedOutputInOrderAndNothingElseDoes)
{
    TuvoStart start;
    start.arguments = L"-RW -NOEXFRAME -rw -RW -D1190 /D119 -NOEXFRAME2";
    start.captureStdout = true;
    TuvoProcess tuvo(start);
    ASSERT_NE(tuvo.MainWindow(), nullptr);
    tuvo.Click(IDC_RPEMO);  // its trace line goes to the null device
    ASSERT_TRUE(tuvo.Close());
    std::string text = tuvo.CapturedStdout();
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());  // text-mode output
    EXPECT_EQ(text, "ReadWriteMODE ON\nNo Extent Frame MODE ON\nReadWriteMODE ON\n");
}

TEST(Trace, DebugModeWritesStartupAndModeLinesToItsConsole)
{
    UseFreshConsole();
    TuvoStart start;
    start.arguments = L"-NOEXFRAME -D119";
    TuvoProcess tuvo(start);
    ASSERT_NE(tuvo.MainWindow(), nullptr);
    for (int id : kRadios) {
        tuvo.Click(id);
    }
    tuvo.Click(IDC_RDEKA);

    const std::wstring folder = FolderOf(TuvoProcess::DefaultProgramPath());
    const std::vector<std::wstring> expected = {
        L"********** Start Glimvane DEBUG MODE  *******",
        L"DEBUG_MODE ON",
        L"No Extent Frame MODE ON",
        L"PORTABLE VERSION START",
        L"CurrentDir=" + folder,
        L"CControlDlg::OnBnClickedRoff()",
        L"CControlDlg::OnBnClickedRpemo()",
        L"CControlDlg::OnBnClickedRdeka()",
        L"CControlDlg::OnBnClickedRribbon()",
        L"CControlDlg::OnBnClickedRdeka()",
    };
    std::vector<std::wstring> lines;
    WaitUntil([&] {
        lines = ConsoleLinesOf(tuvo.Pid(), expected.back());
        return std::search(lines.begin(), lines.end(), expected.begin(), expected.end()) !=
               lines.end();
    });
    std::wstring shown;
    for (const auto& line : lines) {
        shown += line + L"\n";
    }
    EXPECT_NE(std::search(lines.begin(), lines.end(), expected.begin(), expected.end()),
              lines.end())
        << "console shows:\n" << testing::PrintToString(shown);

    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}
