#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Joined(const std::vector<const char*>& lines)
{
    std::string text;
    for (const char* line : lines) {
        text += line;
    }
    return text;
}

}  // namespace

TEST(Switches, OnlyTheExactWholeArgumentCounts)
{
    const struct {
        std::vector<std::wstring> args;
        int debug, readWrite, noExtentFrame;
    } cases[] = {
        {{L"C:\\Tuvo\\Tuvo.exe"}, 0, 0, 0},
        {{L"Tuvo.exe", L"-D119"}, 1, 0, 0},
        {{L"Tuvo.exe", L"-d119"}, 0, 0, 0},          // case matters
        {{L"Tuvo.exe", L"/D119"}, 0, 0, 0},          // only the dash form
        {{L"Tuvo.exe", L"-D1190"}, 0, 0, 0},         // nothing may be appended
        {{L"Tuvo.exe", L" -D119"}, 0, 0, 0},         // nor prepended
        {{L"Tuvo.exe", L"-D11"}, 0, 0, 0},
        {{L"Tuvo.exe", L"-rw", L"-noexframe"}, 0, 0, 0},
        {{L"Tuvo.exe", L"x", L"-NOEXFRAME", L"y", L"-RW"}, 0, 1, 1},
        {{L"-D119"}, 1, 0, 0},                       // argument 0 is compared too
        {{L"Tuvo.exe", L""}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SwitchFlags flags;
        ReadSwitches(c.args, flags);
        EXPECT_EQ(flags.debugMode, c.debug) << testing::PrintToString(c.args);
        EXPECT_EQ(flags.readWriteMode, c.readWrite) << testing::PrintToString(c.args);
        EXPECT_EQ(flags.noExtentFrame, c.noExtentFrame) << testing::PrintToString(c.args);
    }
}

TEST(Switches, EachOccurrenceIsAnnouncedInArgumentOrderAndSummarisedOnce)
{
    SwitchFlags flags;
    const auto seen = ReadSwitches({L"-RW", L"-NOEXFRAME", L"-RW", L"-D119"}, flags);
    EXPECT_EQ(Joined(seen),
              "ReadWriteMODE ON\nNo Extent Frame MODE ON\nReadWriteMODE ON\nDEBUGMODE ON\n");
    EXPECT_EQ(Joined(StartupSummaryLines(flags)),
              "********** Start Glimvane DEBUG MODE  *******\n"
              "DEBUG_MODE ON\nReadWrite_MODE ON\nNo Extent Frame MODE ON\n");
}

TEST(Switches, WithoutSwitchesOnlyTheBannerIsPrinted)
{
    SwitchFlags flags;
    EXPECT_TRUE(ReadSwitches({L"Tuvo.exe", L"-X"}, flags).empty());
    EXPECT_EQ(Joined(StartupSummaryLines(flags)),
              "********** Start Glimvane DEBUG MODE  *******\n");
}

TEST(ProgramFolder, IsTheTextBeforeTheLastBackslash)
{
    const struct {
        std::wstring path;
        std::wstring folder;
    } cases[] = {
        {L"C:\\Program Files\\Tuvo\\Tuvo.exe", L"C:\\Program Files\\Tuvo"},
        {L"C:\\Tuvo.exe", L"C:"},                  // drive root: the bare drive
        {L"Tuvo.exe", L""},                        // bare name
        {L"Tuvo", L""},
        {L"C:/Tools/Tuvo.exe", L""},               // forward slashes are not separators
        {L"C:\\Tools/sub/Tuvo.exe", L"C:"},
        {L"\\\\server\\share\\Tuvo.exe", L"\\\\server\\share"},
        {L"C:\\Tools\\", L"C:\\Tools"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOfProgramPath(c.path), c.folder) << testing::PrintToString(c.path);
    }
}
