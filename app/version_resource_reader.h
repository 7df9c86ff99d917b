#pragma once
// The version-resource reader over the real version-information services, and the
// process-wide version text that the About box shows.

#include "app/version_text.h"

// Reads the running executable's own version resource.
class CVersionResourceReader : public IVersionResourceReader {
public:
    std::wstring ModulePath() override;
    std::uint32_t InfoSize(const std::wstring& path) override;
    bool ReadInfo(const std::wstring& path, std::uint32_t size, void* block) override;
    bool QueryValue(const void* block, const std::wstring& subBlock, const void** value,
                    std::uint32_t* length) override;
};

// "Ver.:" and the product version, or empty after a failed build. Built once per process;
// the pointer is always the same static buffer, never null, valid for the life of the process.
const wchar_t* GetVersionString();
