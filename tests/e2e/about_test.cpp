// The About box from the system menu, and the version resource it reads.
#include <gtest/gtest.h>

#include <vector>

#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

const wchar_t kAboutCaption[] = L"バージョン情報 Tuvo";

}  // namespace

TEST(AboutBox, TheAboutCommandOpensTheBoxModallyWithTheVersionLine)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.MainWindow(), nullptr);
    // The system keeps the low four bits of a command for itself: 0x13 is the About command too.
    for (WPARAM command : {WPARAM{IDM_ABOUTBOX}, WPARAM{IDM_ABOUTBOX | 0x3}}) {
        ::PostMessageW(tuvo.MainWindow(), WM_SYSCOMMAND, command, 0);
        const MessageBoxSeen box = WaitForMessageBox(tuvo.Pid(), kAboutCaption);
        ASSERT_NE(box.window, nullptr) << "command " << command;
        EXPECT_EQ(WindowText(::GetDlgItem(box.window, IDC_STATIC_VERSION)),
                  L"Glimvane Ver.:1-0-1-100");
        EXPECT_EQ(::GetWindow(box.window, GW_OWNER), tuvo.MainWindow());
        EXPECT_FALSE(::IsWindowEnabled(tuvo.MainWindow())) << "modal: the main window waits";

        ::PostMessageW(::GetDlgItem(box.window, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }));
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(tuvo.MainWindow()) != FALSE; }));
    }
    EXPECT_TRUE(tuvo.IsRunning());
}

TEST(VersionResource, CarriesTheProductsFields)
{
    const std::wstring path = TuvoProcess::DefaultProgramPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010064u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00010064u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u) << "exactly one language and code-page pair";
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 0x03A4);

    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"CompanyName", L"Quillbarrow"},
        {L"FileDescription", L"Tuvo 実行ファイル"},
        {L"FileVersion", L"1.0.1.100"},
        {L"InternalName", L"Tuvo.exe"},
        {L"OriginalFilename", L"Tuvo.exe"},
        {L"ProductName", L"Tuvo"},
        {L"ProductVersion", L"1.0.1.100"},
    };
    for (const auto& s : strings) {
        const std::wstring subBlock = std::wstring(L"\\StringFileInfo\\041103a4\\") + s.key;
        wchar_t* value = nullptr;
        ASSERT_TRUE(::VerQueryValueW(block.data(), subBlock.c_str(),
                                     reinterpret_cast<void**>(&value), &length))
            << testing::PrintToString(std::wstring(s.key));
        EXPECT_EQ(std::wstring(value), s.value);
    }
}
