// The "OFF" button's hot-item notification: it re-reads and re-applies whichever mode is
// selected, and acts as "OFF" when no mode is selected.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness/console_reader.h"
#include "harness/overlay_windows.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

const wchar_t kHotItemLine[] = L"CControlDlg::OnBnHotItemChangeRoff()";

long CountLines(const TuvoProcess& tuvo, const wchar_t* text)
{
    const auto lines = ConsoleLinesOf(tuvo.Pid(), L"PORTABLE VERSION START");
    return static_cast<long>(std::count(lines.begin(), lines.end(), std::wstring(text)));
}

}  // namespace

TEST(HotItem, ReappliesTheSelectedModeWithoutChangingIt)
{
    UseFreshConsole();
    TuvoStart start;
    start.arguments = L"-D119";
    TuvoProcess tuvo(start);
    ASSERT_NE(tuvo.Panel(), nullptr);
    ::SetCursorPos(1200, 700);

    tuvo.Click(IDC_RPEMO);
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_NE(highlight, nullptr);
    tuvo.SendHotItemChange(IDC_ROFF, HICF_ENTERING);
    EXPECT_EQ(FindPointerHighlight(tuvo), highlight) << "Pemo again keeps its highlight";
    EXPECT_EQ(::SendMessageW(tuvo.Control(IDC_RPEMO), BM_GETCHECK, 0, 0), BST_CHECKED);

    tuvo.Click(IDC_RDEKA);
    HWND lens = FindLens(tuvo);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(lens) != FALSE; }));
    tuvo.SendHotItemChange(IDC_ROFF, HICF_LEAVING);
    ::Sleep(150);
    EXPECT_TRUE(::IsWindowVisible(lens)) << "Deka stays on, its lens enabled again";

    EXPECT_TRUE(WaitUntil([&] { return CountLines(tuvo, kHotItemLine) == 2; }))
        << "one trace line per notification";
}

TEST(HotItem, WithNoModeSelectedActsAsOff)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ::SetCursorPos(1200, 700);
    tuvo.Click(IDC_RPEMO);
    ASSERT_NE(FindPointerHighlight(tuvo), nullptr);
    for (int id : {IDC_ROFF, IDC_RPEMO, IDC_RDEKA, IDC_RRIBBON}) {
        ::SendMessageW(tuvo.Control(id), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    tuvo.SendHotItemChange(IDC_ROFF);
    EXPECT_EQ(FindPointerHighlight(tuvo), nullptr);
    HWND lens = FindLens(tuvo);
    ::Sleep(150);
    EXPECT_FALSE(::IsWindowVisible(lens));
}
