#include "app/version_resource_reader.h"

#include <windows.h>

#include <vector>

namespace {

// The longest path the system accepts, in characters, without its terminator.
constexpr DWORD kLongestPath = 32767;

}  // namespace

std::wstring CVersionResourceReader::ModulePath()
{
    // A full buffer means the path was cut short: grow it until the whole path fits.
    for (DWORD capacity = MAX_PATH;; capacity *= 2) {
        if (capacity > kLongestPath + 1) {
            capacity = kLongestPath + 1;
        }
        std::vector<wchar_t> buffer(capacity);
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), capacity);
        if (length == 0) {
            return std::wstring();
        }
        if (length < capacity) {
            return std::wstring(buffer.data(), length);
        }
        if (capacity == kLongestPath + 1) {
            return std::wstring();  // a cut path would name another file
        }
    }
}

std::uint32_t CVersionResourceReader::InfoSize(const std::wstring& path)
{
    DWORD unused = 0;
    return GetFileVersionInfoSizeW(path.c_str(), &unused);
}

bool CVersionResourceReader::ReadInfo(const std::wstring& path, std::uint32_t size, void* block)
{
    return GetFileVersionInfoW(path.c_str(), 0, size, block) != FALSE;
}

bool CVersionResourceReader::QueryValue(const void* block, const std::wstring& subBlock,
                                        const void** value, std::uint32_t* length)
{
    void* found = nullptr;
    UINT foundLength = 0;
    if (!VerQueryValueW(block, subBlock.c_str(), &found, &foundLength)) {
        return false;
    }
    *value = found;
    *length = foundLength;
    return true;
}

const wchar_t* GetVersionString()
{
    static CVersionResourceReader reader;
    static CVersionTextCache cache;
    return cache.Get(reader);
}
