// The colours the panel hands the window system for its face and its controls, read inside the
// process, as a drawing context cannot cross processes. Under Wine a group box draws its caption
// in the system's text colour, which is black anyway, so the screen alone cannot show which
// colour the panel asks for.
#include <gtest/gtest.h>

#include "app/tuvo_dlg.h"

TEST(PanelColours, GreyForTheFaceAndEveryControlAndBlackForTheGroupCaptions)
{
    CTuvoDlg dlg;
    ASSERT_TRUE(dlg.Create(CTuvoDlg::IDD, nullptr));
    HWND panel = ::FindWindowExW(dlg.m_hWnd, nullptr, L"#32770", nullptr);
    ASSERT_NE(panel, nullptr);
    HDC dc = ::CreateCompatibleDC(nullptr);

    const struct {
        const char* what;
        UINT request;
        int control;  // 0: the panel itself
        bool blackTransparentText;
    } cases[] = {
        {"the face", WM_CTLCOLORDLG, 0, false},
        {"a mode button", WM_CTLCOLORBTN, IDC_RPEMO, false},
        {"a property button", WM_CTLCOLORBTN, IDC_PROPERTY_COMMON, false},
        {"the Action caption", WM_CTLCOLORSTATIC, IDC_GROUP_ACTION, true},
        {"the Propaty caption", WM_CTLCOLORSTATIC, IDC_GROUP_PROPERTY, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::SetTextColor(dc, RGB(1, 2, 3));
        ::SetBkMode(dc, OPAQUE);
        HWND control = c.control == 0 ? panel : ::GetDlgItem(panel, c.control);
        ASSERT_NE(control, nullptr);
        const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
            panel, c.request, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        LOGBRUSH described{};
        ASSERT_EQ(::GetObjectW(brush, sizeof described, &described),
                  static_cast<int>(sizeof described));
        EXPECT_EQ(described.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(described.lbColor, RGB(200, 200, 200));
        if (c.blackTransparentText) {
            EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 0));
            EXPECT_EQ(::GetBkMode(dc), TRANSPARENT) << "the caption on the grey, not on a box";
        }
    }
    ::DeleteDC(dc);
    dlg.DestroyWindow();
}
