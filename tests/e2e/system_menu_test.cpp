// The main window's system menu and icons, read from inside the process that owns it: under
// Wine another process reads a menu as empty and a window's icons as none.
#include <gtest/gtest.h>

#include <string>

#include "app/tuvo_dlg.h"
#include "framework/app.h"

namespace {

struct MenuItem {
    UINT type = 0;
    UINT id = 0;
    std::wstring text;
};

MenuItem ItemAt(HMENU menu, int index)
{
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 256;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
    return MenuItem{info.fType, info.wID, text};
}

}  // namespace

TEST(SystemMenu, EndsWithANewSeparatorAndTheAboutItem)
{
    CTuvoDlg dlg;
    ASSERT_TRUE(dlg.Create(CTuvoDlg::IDD, nullptr));
    HMENU menu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 3);

    const MenuItem about = ItemAt(menu, count - 1);
    EXPECT_EQ(about.type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(about.id, static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(about.text, L"バージョン情報 Tuvo(&A)...");
    EXPECT_NE(ItemAt(menu, count - 2).type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(ItemAt(menu, count - 3).type & MFT_SEPARATOR, 0u)
        << "the separator is the one added, not the system menu's own";

    dlg.DestroyWindow();
}

TEST(MainWindowIcon, TheProductIconServesTheCaptionAndTheTaskBar)
{
    CTuvoDlg dlg;
    ASSERT_TRUE(dlg.Create(CTuvoDlg::IDD, nullptr));
    const HICON product = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_GETICON, ICON_BIG)), product);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_GETICON, ICON_SMALL)), product)
        << "the large image for the small size too";
    dlg.DestroyWindow();
}
