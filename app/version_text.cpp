#include "app/version_text.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>
#include <memory>

void* IVersionResourceReader::AllocateBlock(std::size_t bytes) { return std::malloc(bytes); }

void IVersionResourceReader::FreeBlock(void* block) { std::free(block); }

std::wstring ReplaceEveryOccurrence(const std::wstring& text, const std::wstring& from,
                                    const std::wstring& to)
{
    if (from.empty()) {
        return text;
    }
    std::wstring result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::wstring::npos;
         hit = text.find(from, start)) {
        result.append(text, start, hit - start);
        result += to;
        start = hit + from.size();
    }
    result.append(text, start, std::wstring::npos);
    return result;
}

std::wstring RewriteVersionForDisplay(const std::wstring& versionText)
{
    // "??" stands in for ".:" while the plain dots are replaced, so the prefix keeps its dot.
    std::wstring text = ReplaceEveryOccurrence(versionText, L".:", L"??");
    text = ReplaceEveryOccurrence(text, L".", L"-");
    return ReplaceEveryOccurrence(text, L"??", L".:");
}

std::wstring FormatAboutVersionLine(const std::wstring& versionText)
{
    return L"Glimvane " + RewriteVersionForDisplay(versionText);
}

std::wstring FormatTranslationKey(std::uint16_t language, std::uint16_t codePage)
{
    static const wchar_t kHexDigits[] = L"0123456789abcdef";
    std::wstring key;
    for (std::uint16_t word : {language, codePage}) {
        for (int shift = 12; shift >= 0; shift -= 4) {
            key += kHexDigits[(word >> shift) & 0xF];
        }
    }
    return key;
}

std::wstring ProductVersionSubBlock(const std::wstring& translationKey)
{
    return L"\\StringFileInfo\\" + translationKey + L"\\ProductVersion";
}

namespace {

// Frees the block through the reader that allocated it, on every way out.
class BlockHolder {
public:
    BlockHolder(IVersionResourceReader& reader, void* block) : m_reader(reader), m_block(block) {}
    ~BlockHolder()
    {
        if (m_block != nullptr) {
            m_reader.FreeBlock(m_block);
        }
    }
    BlockHolder(const BlockHolder&) = delete;
    BlockHolder& operator=(const BlockHolder&) = delete;

    void* Get() const { return m_block; }

private:
    IVersionResourceReader& m_reader;
    void* m_block;
};

// The first pair of the translation array, or false when the array holds no whole pair.
bool ReadFirstTranslation(const void* value, std::uint32_t bytes, std::uint16_t* language,
                          std::uint16_t* codePage)
{
    if (value == nullptr || bytes < 2 * sizeof(std::uint16_t)) {
        return false;
    }
    // The pair is two words, language first; memcpy because the value need not be aligned.
    std::uint16_t pair[2];
    std::memcpy(pair, value, sizeof pair);
    *language = pair[0];
    *codePage = pair[1];
    return true;
}

}  // namespace

bool BuildVersionText(IVersionResourceReader& reader, wchar_t* out, std::size_t capacity)
{
    const std::size_t prefixLength = std::wcslen(kVersionPrefix);
    if (out == nullptr || capacity <= prefixLength) {
        return false;
    }

    const std::wstring path = reader.ModulePath();
    const std::uint32_t size = reader.InfoSize(path);
    if (size == 0) {
        return false;
    }
    // One byte beyond the reported size, as slack after the version information.
    if (std::size_t(size) >= std::numeric_limits<std::size_t>::max()) {
        return false;
    }
    BlockHolder block(reader, reader.AllocateBlock(std::size_t(size) + 1));
    if (block.Get() == nullptr || !reader.ReadInfo(path, size, block.Get())) {
        return false;
    }

    const void* translation = nullptr;
    std::uint32_t translationBytes = 0;
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    if (!reader.QueryValue(block.Get(), kTranslationSubBlock, &translation, &translationBytes) ||
        !ReadFirstTranslation(translation, translationBytes, &language, &codePage)) {
        return false;
    }

    const void* version = nullptr;
    std::uint32_t versionLength = 0;
    const std::wstring versionPath =
        ProductVersionSubBlock(FormatTranslationKey(language, codePage));
    if (!reader.QueryValue(block.Get(), versionPath, &version, &versionLength) ||
        version == nullptr) {
        return false;
    }

    const auto* versionText = static_cast<const wchar_t*>(version);
    const std::size_t room = capacity - prefixLength - 1;
    const std::size_t kept = FittingTextLength(versionText, versionLength, room);
    std::wmemcpy(out, kVersionPrefix, prefixLength);
    std::wmemcpy(out + prefixLength, versionText, kept);
    out[prefixLength + kept] = L'\0';
    return true;
}

const wchar_t* CVersionTextCache::Get(IVersionResourceReader& reader)
{
    if (m_nBuilt == 1) {
        return m_szText;
    }
    std::wmemset(m_szText, L'\0', kVersionTextCapacity);
    if (BuildVersionText(reader, m_szText, kVersionTextCapacity)) {
        m_nBuilt = 1;
    }
    return m_szText;
}
