#include "app/version_resource_reader.h"

#include <windows.h>

#include "framework/app.h"

// The whole path, however long: a path cut short would name another file.
std::wstring CVersionResourceReader::ModulePath() { return AfxGetModuleFilePath(); }

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
