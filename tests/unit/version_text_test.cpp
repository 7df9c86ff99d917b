#include "app/version_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

// A version resource held in memory: each sub-block maps to its value's bytes and the length
// the platform would report for it. Counts every call so the cache rules can be checked.
class FakeVersionReader : public IVersionResourceReader {
public:
    struct Entry {
        std::vector<unsigned char> bytes;
        std::uint32_t length = 0;
        bool hasPointer = true;
    };

    std::wstring path = L"C:\\Tools\\Tuvo.exe";
    std::uint32_t infoSize = 64;
    bool readSucceeds = true;
    bool allocationFails = false;
    std::map<std::wstring, Entry> entries;

    int calls = 0;
    int allocations = 0;
    int frees = 0;
    std::vector<std::wstring> pathsSeen;
    std::vector<std::wstring> subBlocksSeen;

    void SetTranslation(const std::vector<std::uint16_t>& words, std::uint32_t bytes)
    {
        Entry entry;
        entry.bytes.resize(words.size() * sizeof(std::uint16_t));
        std::memcpy(entry.bytes.data(), words.data(), entry.bytes.size());
        entry.length = bytes;
        entries[kTranslationSubBlock] = entry;
    }

    // A string value; its length counts the terminator, as the platform reports it.
    void SetString(const std::wstring& subBlock, const std::wstring& text)
    {
        SetString(subBlock, text, static_cast<std::uint32_t>(text.size() + 1));
    }

    void SetString(const std::wstring& subBlock, const std::wstring& text, std::uint32_t length)
    {
        Entry entry;
        entry.bytes.resize((text.size() + 1) * sizeof(wchar_t));
        std::memcpy(entry.bytes.data(), text.c_str(), entry.bytes.size());
        entry.length = length;
        entries[subBlock] = entry;
    }

    std::wstring ModulePath() override
    {
        ++calls;
        return path;
    }

    std::uint32_t InfoSize(const std::wstring& p) override
    {
        ++calls;
        pathsSeen.push_back(p);
        return infoSize;
    }

    bool ReadInfo(const std::wstring& p, std::uint32_t size, void* block) override
    {
        ++calls;
        pathsSeen.push_back(p);
        std::memset(block, 0xA5, size);  // the sanitizers see a block too small for its size
        return readSucceeds;
    }

    bool QueryValue(const void*, const std::wstring& subBlock, const void** value,
                    std::uint32_t* length) override
    {
        ++calls;
        subBlocksSeen.push_back(subBlock);
        const auto found = entries.find(subBlock);
        if (found == entries.end()) {
            return false;
        }
        *value = found->second.hasPointer ? found->second.bytes.data() : nullptr;
        *length = found->second.length;
        return true;
    }

    void* AllocateBlock(std::size_t bytes) override
    {
        ++calls;
        if (allocationFails) {
            return nullptr;
        }
        ++allocations;
        return IVersionResourceReader::AllocateBlock(bytes);
    }

    void FreeBlock(void* block) override
    {
        ++frees;
        IVersionResourceReader::FreeBlock(block);
    }
};

const wchar_t kJapaneseProductVersion[] = L"\\StringFileInfo\\041103a4\\ProductVersion";

// The executable's resource: one Japanese translation pair and its string table.
void FillShippedResource(FakeVersionReader& reader, const std::wstring& productVersion)
{
    reader.SetTranslation({0x0411, 0x03A4}, 4);
    reader.SetString(L"\\StringFileInfo\\041103a4\\CompanyName", L"Quillbarrow");
    reader.SetString(kJapaneseProductVersion, productVersion);
}

TEST(VersionText, WorkedExampleFromTheShippedResource)
{
    EXPECT_EQ(FormatTranslationKey(0x0411, 0x03A4), L"041103a4");
    EXPECT_EQ(ProductVersionSubBlock(L"041103a4"), kJapaneseProductVersion);

    FakeVersionReader reader;
    reader.path = L"C:\\" + std::wstring(600, L'd') + L"\\Tuvo.exe";  // longer than MAX_PATH
    FillShippedResource(reader, L"1.0.1.100");
    CVersionTextCache cache;

    const std::wstring text = cache.Get(reader);
    EXPECT_EQ(text, L"Ver.:1.0.1.100");
    EXPECT_EQ(FormatAboutVersionLine(text), L"Glimvane Ver.:1-0-1-100");

    EXPECT_EQ(reader.pathsSeen, std::vector<std::wstring>(2, reader.path));
    EXPECT_EQ(reader.subBlocksSeen,
              (std::vector<std::wstring>{L"\\VarFileInfo\\Translation", kJapaneseProductVersion}));
    EXPECT_EQ(reader.allocations, 1);
    EXPECT_EQ(reader.frees, 1);
}

TEST(VersionText, TranslationKeyIsLanguageThenCodePageInLowerCaseHex)
{
    const struct {
        std::uint16_t language;
        std::uint16_t codePage;
        const wchar_t* key;
    } cases[] = {
        {0x0411, 0x03A4, L"041103a4"},
        {0x0409, 0x04B0, L"040904b0"},
        {0x0000, 0x0000, L"00000000"},
        {0xFFFF, 0xABCD, L"ffffabcd"},
        {0x000F, 0x0010, L"000f0010"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatTranslationKey(c.language, c.codePage), c.key) << c.key;
    }
}

TEST(VersionText, BuildUsesTheFirstWholeTranslationPair)
{
    FakeVersionReader reader;
    reader.SetTranslation({0x0409, 0x04B0, 0x0411, 0x03A4}, 8);
    reader.SetString(L"\\StringFileInfo\\040904b0\\ProductVersion", L"3.1");
    reader.SetString(kJapaneseProductVersion, L"1.0.1.100");
    CVersionTextCache cache;

    EXPECT_STREQ(cache.Get(reader), L"Ver.:3.1");
}

TEST(VersionText, ReplacementScansLeftToRightWithoutRescanningInsertedText)
{
    const struct {
        const wchar_t* text;
        const wchar_t* from;
        const wchar_t* to;
        const wchar_t* expected;
    } cases[] = {
        {L"aaa", L"aa", L"b", L"ba"},       // non-overlapping, leftmost first
        {L"aa", L"a", L"aa", L"aaaa"},      // inserted text is not scanned again
        {L"x.y.z", L".", L"", L"xyz"},
        {L"", L"a", L"b", L""},
        {L"abc", L"", L"x", L"abc"},        // nothing to look for
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceEveryOccurrence(c.text, c.from, c.to), c.expected) << c.text;
    }
}

TEST(VersionText, AboutLineKeepsThePrefixDotAndHyphensTheVersion)
{
    const struct {
        const wchar_t* productVersion;
        const wchar_t* shown;
    } cases[] = {
        {L"1.0.1.100", L"Glimvane Ver.:1-0-1-100"},
        {L"2", L"Glimvane Ver.:2"},
        {L"", L"Glimvane Ver.:"},
        {L".1.", L"Glimvane Ver.:-1-"},
        {L"1.:2", L"Glimvane Ver.:1.:2"},
        {L"1??2", L"Glimvane Ver.:1.:2"},
        {L"..:", L"Glimvane Ver.:-.:"},
        {L"???", L"Glimvane Ver.:.:?"},  // the prefix's placeholder pairs up with the first '?'
    };
    for (const auto& c : cases) {
        FakeVersionReader reader;
        FillShippedResource(reader, c.productVersion);
        CVersionTextCache cache;
        EXPECT_EQ(FormatAboutVersionLine(cache.Get(reader)), c.shown) << c.productVersion;
    }
}

TEST(VersionText, ProductVersionIsBoundedByItsLengthAndByTheBuffer)
{
    const std::wstring longVersion = std::wstring(300, L'7') + L".9";
    const struct {
        std::wstring stored;
        std::uint32_t reportedLength;
        std::wstring kept;
    } cases[] = {
        {longVersion.substr(0, 250), 251, longVersion.substr(0, 250)},  // fills the buffer
        {longVersion.substr(0, 251), 252, longVersion.substr(0, 250)},
        {longVersion, 303, longVersion.substr(0, 250)},
        {longVersion, 0xFFFFFFFF, longVersion.substr(0, 250)},
        {L"1.0.1.100", 3, L"1.0"},    // no terminator within the reported length
        {L"1.0.1.100", 0, L""},       // an empty value need not point at a zero
    };
    for (const auto& c : cases) {
        FakeVersionReader reader;
        FillShippedResource(reader, L"");
        reader.SetString(kJapaneseProductVersion, c.stored, c.reportedLength);
        CVersionTextCache cache;

        const wchar_t* text = cache.Get(reader);
        EXPECT_EQ(std::wstring(text), L"Ver.:" + c.kept) << c.stored.size();
        EXPECT_LE(std::wcslen(text), kVersionTextCapacity - 1);
    }
}

TEST(VersionText, BuildWritesNothingPastTheCallersBuffer)
{
    FakeVersionReader reader;
    FillShippedResource(reader, L"1.0.1.100");

    wchar_t guarded[16];
    std::wmemset(guarded, L'#', 16);
    ASSERT_TRUE(BuildVersionText(reader, guarded, 10));
    EXPECT_EQ(std::wstring(guarded), L"Ver.:1.0.");
    EXPECT_EQ(std::wstring(guarded + 10, 6), L"######");

    // Too small for the prefix and its terminator: a failure that leaves the buffer alone.
    std::wmemset(guarded, L'#', 16);
    EXPECT_FALSE(BuildVersionText(reader, guarded, 5));
    EXPECT_EQ(std::wstring(guarded, 16), std::wstring(16, L'#'));
}

TEST(VersionText, TruncationKeepsSurrogatePairsWhole)
{
    // "ab", U+1F600 as a surrogate pair, "c".
    const char16_t utf16[] = {u'a', u'b', 0xD83D, 0xDE00, u'c', 0};
    const struct {
        std::size_t room;
        std::size_t kept;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 4}, {5, 5}, {50, 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(FittingTextLength(utf16, 100, c.room), c.kept) << c.room;
    }

    const char16_t loneHigh[] = {u'a', u'b', 0xD83D, u'c', 0};
    EXPECT_EQ(FittingTextLength(loneHigh, 100, 3), 3u);

    // Where a unit is a whole code point there is no pair to protect.
    const char32_t utf32[] = {U'a', U'b', 0x1F600, U'c', 0};
    EXPECT_EQ(FittingTextLength(utf32, 100, 3), 3u);

    // The same rule in the version text, which ends one unit into the pair where wchar_t is
    // 16 bits wide, and holds the whole character where it is 32.
    const std::wstring filler(249, L'x');
    FakeVersionReader reader;
    FillShippedResource(reader, filler + L"\U0001F600");
    CVersionTextCache cache;
    const std::wstring expected = sizeof(wchar_t) == 2 ? filler : filler + L"\U0001F600";
    EXPECT_EQ(std::wstring(cache.Get(reader)), L"Ver.:" + expected);
}

enum class Fault {
    NoVersionInfo,
    NoMemory,
    UnreadableBlock,
    NoTranslation,
    TranslationWithoutPointer,
    TranslationShorterThanAPair,
    NoProductVersion,
    ProductVersionWithoutPointer,
};

void Inject(FakeVersionReader& reader, Fault fault)
{
    switch (fault) {
    case Fault::NoVersionInfo: reader.infoSize = 0; break;
    case Fault::NoMemory: reader.allocationFails = true; break;
    case Fault::UnreadableBlock: reader.readSucceeds = false; break;
    case Fault::NoTranslation: reader.entries.erase(kTranslationSubBlock); break;
    case Fault::TranslationWithoutPointer:
        reader.entries[kTranslationSubBlock].hasPointer = false;
        break;
    case Fault::TranslationShorterThanAPair: reader.SetTranslation({0x0411, 0x03A4}, 3); break;
    case Fault::NoProductVersion: reader.entries.erase(kJapaneseProductVersion); break;
    case Fault::ProductVersionWithoutPointer:
        reader.entries[kJapaneseProductVersion].hasPointer = false;
        break;
    }
}

TEST(VersionText, EachFailedStepLeavesTheTextEmptyAndIsRetried)
{
    const Fault faults[] = {
        Fault::NoVersionInfo,     Fault::NoMemory,
        Fault::UnreadableBlock,   Fault::NoTranslation,
        Fault::TranslationWithoutPointer, Fault::TranslationShorterThanAPair,
        Fault::NoProductVersion,  Fault::ProductVersionWithoutPointer,
    };
    for (Fault fault : faults) {
        SCOPED_TRACE(static_cast<int>(fault));
        FakeVersionReader reader;
        FillShippedResource(reader, L"1.0.1.100");
        Inject(reader, fault);
        CVersionTextCache cache;

        const wchar_t* failed = cache.Get(reader);
        ASSERT_NE(failed, nullptr);
        EXPECT_EQ(std::wstring(failed, kVersionTextCapacity),
                  std::wstring(kVersionTextCapacity, L'\0'));
        EXPECT_EQ(reader.frees, reader.allocations);

        // Once the resource reads well, the next call builds the text in the same buffer.
        FakeVersionReader healthy;
        FillShippedResource(healthy, L"1.0.1.100");
        const wchar_t* built = cache.Get(healthy);
        EXPECT_EQ(built, failed);
        EXPECT_STREQ(built, L"Ver.:1.0.1.100");
    }
}

TEST(VersionText, BuiltTextIsServedWithoutReadingAgain)
{
    FakeVersionReader reader;
    FillShippedResource(reader, L"1.0.1.100");
    CVersionTextCache cache;

    const wchar_t* first = cache.Get(reader);
    const int callsAfterBuild = reader.calls;

    // Even a resource that would now fail or differ is not consulted.
    FillShippedResource(reader, L"9.9");
    reader.infoSize = 0;
    const wchar_t* second = cache.Get(reader);
    EXPECT_EQ(second, first);
    EXPECT_STREQ(second, L"Ver.:1.0.1.100");
    EXPECT_EQ(reader.calls, callsAfterBuild);
}

TEST(VersionText, FailedBuildsAreRetriedEachTime)
{
    FakeVersionReader reader;
    FillShippedResource(reader, L"1.0.1.100");
    reader.infoSize = 0;
    CVersionTextCache cache;

    const wchar_t* first = cache.Get(reader);
    const int callsAfterFirst = reader.calls;
    const wchar_t* second = cache.Get(reader);
    EXPECT_EQ(second, first);
    EXPECT_STREQ(second, L"");
    EXPECT_GT(reader.calls, callsAfterFirst);

    reader.infoSize = 64;
    EXPECT_STREQ(cache.Get(reader), L"Ver.:1.0.1.100");
}

}  // namespace
