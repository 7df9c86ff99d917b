// The programs of the release packages, as unpacked from their zips. The unpacking script hands
// over, through the environment, the version the zip names carry (TUVO_PACKAGE_VERSION) and the
// Windows paths of the unpacked programs (TUVO_PACKAGE_WIN64, TUVO_PACKAGE_WIN32).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/version_text.h"
#include "harness/overlay_windows.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"
#include "tuvo_version.h"

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring FromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::wstring() : Widen(value);
}

const std::wstring kProjectVersion = Widen(TUVO_VERSION_TEXT);

// The version block of a program file, read the way the About box and Explorer read it.
class VersionBlock {
public:
    explicit VersionBlock(const std::wstring& path)
    {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0) {
            return;
        }
        m_block.resize(size);
        if (!::GetFileVersionInfoW(path.c_str(), 0, size, m_block.data())) {
            m_block.clear();
        }
    }

    bool Read() const { return !m_block.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const
    {
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_block.data(), L"\\", &value, &length) ||
            length < sizeof(VS_FIXEDFILEINFO)) {
            return nullptr;
        }
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

    std::wstring String(const wchar_t* key) const
    {
        const std::wstring subBlock = std::wstring(L"\\StringFileInfo\\041103a4\\") + key;
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_block.data(), subBlock.c_str(), &value, &length)) {
            return L"(missing)";
        }
        return static_cast<const wchar_t*>(value);
    }

private:
    std::vector<unsigned char> m_block;
};

}  // namespace

TEST(ReleasePackage, IsNamedWithTheProjectVersion)
{
    EXPECT_EQ(FromEnvironment("TUVO_PACKAGE_VERSION"), kProjectVersion);
}

class PackagedProgram : public testing::TestWithParam<const char*> {};

TEST_P(PackagedProgram, CarriesTheProjectVersionInItsVersionBlock)
{
    const std::wstring path = FromEnvironment(GetParam());
    ASSERT_FALSE(path.empty()) << GetParam() << " is not set";
    const VersionBlock block(path);
    ASSERT_TRUE(block.Read()) << testing::PrintToString(path);

    const VS_FIXEDFILEINFO* fixed = block.Fixed();
    ASSERT_NE(fixed, nullptr);
    const WORD parts[] = {TUVO_VERSION_BINARY};
    const DWORD high = MAKELONG(parts[1], parts[0]);
    const DWORD low = MAKELONG(parts[3], parts[2]);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(block.String(L"FileVersion"), kProjectVersion);
    EXPECT_EQ(block.String(L"ProductVersion"), kProjectVersion);
    EXPECT_EQ(block.String(L"OriginalFilename"), L"Tuvo.exe");
}

// The 32-bit program cannot run here; its version block can still be read.
INSTANTIATE_TEST_SUITE_P(EachBuild, PackagedProgram,
                         testing::Values("TUVO_PACKAGE_WIN64", "TUVO_PACKAGE_WIN32"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(sizeof "TUVO_PACKAGE_" - 1);
                         });

TEST(ReleasePackage, The64BitProgramShowsThePanelSwitchesModesAndShowsItsVersion)
{
    TuvoStart start;
    start.programPath = FromEnvironment("TUVO_PACKAGE_WIN64");
    ASSERT_FALSE(start.programPath.empty());
    TuvoProcess tuvo(start);
    ASSERT_TRUE(tuvo.Started());
    ASSERT_NE(tuvo.MainWindow(), nullptr) << "no main window with its panel";
    EXPECT_TRUE(::IsWindowVisible(tuvo.Panel()));
    const struct {
        int id;
        const wchar_t* text;
    } modes[] = {{IDC_ROFF, L"OFF"}, {IDC_RPEMO, L"Pemo"}, {IDC_RDEKA, L"Deka"},
                 {IDC_RRIBBON, L"Ribbon"}};
    for (const auto& mode : modes) {
        EXPECT_TRUE(::IsWindowVisible(tuvo.Control(mode.id))) << mode.id;
        EXPECT_EQ(WindowText(tuvo.Control(mode.id)), mode.text);
    }

    // The optimised program at work: the pointer highlight follows the pointer.
    const Point p{700, 600};
    ChooseModeAt(tuvo, IDC_RPEMO, p);
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_NE(highlight, nullptr);
    EXPECT_TRUE(ShowsSoonAt(highlight, BoxCentredOn(p, 81, 81)));

    // The About box shows the version the package is named with.
    ::PostMessageW(tuvo.MainWindow(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const MessageBoxSeen about = WaitForMessageBox(tuvo.Pid(), L"バージョン情報 Tuvo");
    ASSERT_NE(about.window, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(about.window, IDC_STATIC_VERSION)),
              FormatAboutVersionLine(kVersionPrefix + kProjectVersion));
    ::PostMessageW(::GetDlgItem(about.window, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about.window); }));

    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}
