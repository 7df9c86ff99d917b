#pragma once
// The About box's version text: read from the executable's version resource through a small
// reader seam, built once into a fixed buffer, and rewritten into its display form.
// No platform header here: this file compiles natively for the unit tests.

#include <cstddef>
#include <cstdint>
#include <string>

// Size of the version-text buffer in wide characters, terminator included.
constexpr std::size_t kVersionTextCapacity = 256;

// Text in front of the product version in the version text.
constexpr const wchar_t kVersionPrefix[] = L"Ver.:";

// Sub-block of the version resource that lists its language and code-page pairs.
constexpr const wchar_t kTranslationSubBlock[] = L"\\VarFileInfo\\Translation";

// What the version text needs of the platform's version-information services.
class IVersionResourceReader {
public:
    virtual ~IVersionResourceReader() = default;

    // Full path of the running executable; empty when it cannot be read.
    virtual std::wstring ModulePath() = 0;
    // Size in bytes of the file's version information; 0 when it has none.
    virtual std::uint32_t InfoSize(const std::wstring& path) = 0;
    // Reads `size` bytes of the file's version information into `block`.
    virtual bool ReadInfo(const std::wstring& path, std::uint32_t size, void* block) = 0;
    // Looks up `subBlock` in a block filled by ReadInfo. On success `value` points into the
    // block and `length` is its size: bytes for the translation array, wide characters for a
    // string value (which need not end with a zero within that length).
    virtual bool QueryValue(const void* block, const std::wstring& subBlock, const void** value,
                            std::uint32_t* length) = 0;

    // Memory for the block; replaceable so that a failing allocation can be exercised.
    virtual void* AllocateBlock(std::size_t bytes);
    virtual void FreeBlock(void* block);
};

// Every occurrence of `from` in `text` becomes `to`, scanning left to right over
// non-overlapping occurrences; inserted text is never scanned again. An empty `from`
// leaves the text as it is.
std::wstring ReplaceEveryOccurrence(const std::wstring& text, const std::wstring& from,
                                    const std::wstring& to);

// Display form of a version text: the dots of the version number become hyphens while
// ".:" (and "??", which shares its placeholder) comes out as ".:".
std::wstring RewriteVersionForDisplay(const std::wstring& versionText);

// The line the About box shows: "Glimvane " followed by the display form.
std::wstring FormatAboutVersionLine(const std::wstring& versionText);

// String-table key of a translation pair: language then code page, four lower-case hex
// digits each ("041103a4").
std::wstring FormatTranslationKey(std::uint16_t language, std::uint16_t codePage);

// Path of the product version in the string table named by `translationKey`.
std::wstring ProductVersionSubBlock(const std::wstring& translationKey);

// Number of leading units of `text` to keep so that it fits `room` units: the text ends at
// its first zero or after `length` units. Where a unit is 16 bits wide, a cut never separates
// a surrogate pair; the pair is dropped whole instead.
template <typename Unit>
std::size_t FittingTextLength(const Unit* text, std::size_t length, std::size_t room)
{
    std::size_t n = 0;
    while (n < length && n <= room && text[n] != 0) {
        ++n;
    }
    if (n <= room) {
        return n;
    }
    std::size_t cut = room;
    if constexpr (sizeof(Unit) == 2) {
        const auto isHigh = [](Unit u) { return u >= 0xD800 && u <= 0xDBFF; };
        const auto isLow = [](Unit u) { return u >= 0xDC00 && u <= 0xDFFF; };
        if (cut > 0 && isHigh(text[cut - 1]) && isLow(text[cut])) {
            --cut;
        }
    }
    return cut;
}

// Reads the version resource through `reader` and writes kVersionPrefix and the product
// version into `out` (`capacity` wide characters, terminator included), truncating the
// version to what fits. Returns false, with `out` left untouched, when any step fails:
// no version information, no memory, an unreadable block, no translation pair, or no
// product version. Every block it allocates is freed before it returns.
bool BuildVersionText(IVersionResourceReader& reader, wchar_t* out, std::size_t capacity);

// The version text, built on first success and then served unchanged without reading
// again. The returned pointer is always the same buffer and never null; after a failed
// build the text is empty and the next call tries again.
class CVersionTextCache {
public:
    const wchar_t* Get(IVersionResourceReader& reader);

private:
    wchar_t m_szText[kVersionTextCapacity] = {};
    int m_nBuilt = 0;
};
