#include "app/command_line.h"

namespace {

struct SwitchInfo {
    const wchar_t* text;
    int SwitchFlags::*flag;
    const char* seenLine;     // printed as the switch is read, before the trace sink is set
    const char* summaryLine;  // printed after the banner
};

// In the order the arguments are compared and the summary is printed.
const SwitchInfo kSwitches[] = {
    {L"-D119", &SwitchFlags::debugMode, "DEBUGMODE ON\n", "DEBUG_MODE ON\n"},
    {L"-RW", &SwitchFlags::readWriteMode, "ReadWriteMODE ON\n", "ReadWrite_MODE ON\n"},
    {L"-NOEXFRAME", &SwitchFlags::noExtentFrame, "No Extent Frame MODE ON\n",
     "No Extent Frame MODE ON\n"},
};

const char kBanner[] = "********** Start Glimvane DEBUG MODE  *******\n";

}  // namespace

std::vector<const char*> ReadSwitches(const std::vector<std::wstring>& args, SwitchFlags& flags)
{
    std::vector<const char*> lines;
    for (const std::wstring& arg : args) {
        for (const SwitchInfo& sw : kSwitches) {
            if (arg == sw.text) {
                flags.*sw.flag = 1;
                lines.push_back(sw.seenLine);
            }
        }
    }
    return lines;
}

std::vector<const char*> StartupSummaryLines(const SwitchFlags& flags)
{
    std::vector<const char*> lines{kBanner};
    for (const SwitchInfo& sw : kSwitches) {
        if (flags.*sw.flag != 0) {
            lines.push_back(sw.summaryLine);
        }
    }
    return lines;
}

std::wstring FolderOfProgramPath(const std::wstring& programPath)
{
    const size_t backslash = programPath.rfind(L'\\');
    return backslash == std::wstring::npos ? std::wstring() : programPath.substr(0, backslash);
}
