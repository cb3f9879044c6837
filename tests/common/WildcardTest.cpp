#include <gtest/gtest.h>

#include "filer/FileConditions.h"
#include "common/Wildcard.h"

namespace {

TEST(Wildcard, MatchesBaseAndExtensionSeparatelyIgnoringCase) {
    struct Case {
        const wchar_t* name;
        const wchar_t* pattern;
        bool expected;
    };
    const Case cases[] = {
        {L"readme.txt", L"*.TXT", true},
        {L"README.TXT", L"*.txt", true},
        {L"a.tt", L"*.t?t", false},
        {L"a.txt", L"*.t?t", true},
        {L"a.html", L"*.htm", false},
        {L"a.htm", L"*.htm", true},
        {L"anything", L"*", true},
        {L"anything", L"*.*", true},
        {L"no_ext", L"*.*", true},
        {L"abc.txt", L"a*", false},  // pattern without a dot asks for no extension
        {L"abc", L"a*", true},
        {L"abc", L"a?c", true},
        {L"abbc", L"a?c", false},
        {L"ab", L"a?", true},
        {L"a", L"a?", false},
        {L"data.tar.gz", L"*.gz", true},
        {L"data.tar.gz", L"data.*", false},  // the base is "data.tar"
        {L"data.tar.gz", L"data.tar.*", true},
        {L"xAyAz.c", L"*a*z.c", true},
        {L"xAyAy.c", L"*a*z.c", false},
        {L"aaab.c", L"a**b.c", true},  // runs of stars collapse
        {L"ab.c", L"a*b.c", true},     // a star may stand for nothing
        {L"日本語.TXT", L"日本*.txt", true},
        {L"ｱｲｳ.txt", L"ｱ?ｳ.*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zq::WildcardMatch(c.name, c.pattern), c.expected) << c.name << L" ~ " << c.pattern;
}

TEST(Wildcard, NormalisationUpperCasesAndCollapsesStars) {
    EXPECT_EQ(zq::NormaliseWildcard(L"**a***.t*t"), L"*A*.T*T");
    EXPECT_EQ(zq::NormaliseWildcard(L"?*?"), L"?*?");
    EXPECT_TRUE(zq::IsMatchAllPattern(L"*.*"));
    EXPECT_FALSE(zq::IsMatchAllPattern(L"*.txt"));
}

zq::FileEntry Entry(DWORD attributes, unsigned long long size, unsigned long long writeTime) {
    zq::FileEntry e{};
    e.dwFileAttributes = attributes;
    e.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    e.nFileSizeLow = static_cast<DWORD>(size);
    e.ftLastWriteTime.dwHighDateTime = static_cast<DWORD>(writeTime >> 32);
    e.ftLastWriteTime.dwLowDateTime = static_cast<DWORD>(writeTime);
    wcscpy(e.cFileName, L"x");
    return e;
}

FILETIME Ft(unsigned long long v) {
    return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
}

TEST(FileConditions, TimeAttributeAndSizeRules) {
    zq::FileConditions defaults;
    zq::FileConditions noDirs;
    noDirs.attributeMask = 0x27;
    zq::FileConditions hiddenOnly;
    hiddenOnly.attributeMask = FILE_ATTRIBUTE_HIDDEN;
    hiddenOnly.acceptPlain = 0;
    zq::FileConditions hiddenOrPlain = hiddenOnly;
    hiddenOrPlain.acceptPlain = 1;
    zq::FileConditions sized;
    sized.minimumSize = 10;
    sized.maximumSize = 0x100000000ULL;  // the high half counts
    zq::FileConditions written;
    written.useWriteRange = 1;
    written.writeFrom = Ft(100);
    written.writeTo = Ft(200);

    struct Case {
        const char* what;
        const zq::FileConditions* c;
        zq::FileEntry e;
        bool expected;
    };
    const Case cases[] = {
        {"plain file, defaults", &defaults, Entry(FILE_ATTRIBUTE_NORMAL, 5, 0), true},
        {"archive file, defaults", &defaults, Entry(FILE_ATTRIBUTE_ARCHIVE, 5, 0), true},
        {"directory with mask lacking 0x10", &noDirs, Entry(FILE_ATTRIBUTE_DIRECTORY, 0, 0), false},
        {"archive file, hidden only", &hiddenOnly, Entry(FILE_ATTRIBUTE_ARCHIVE, 5, 0), false},
        {"plain file, hidden only", &hiddenOnly, Entry(FILE_ATTRIBUTE_NORMAL, 5, 0), false},
        {"plain file, hidden or plain", &hiddenOrPlain, Entry(FILE_ATTRIBUTE_NORMAL, 5, 0), true},
        {"hidden file, hidden only", &hiddenOnly, Entry(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, 5, 0), true},
        {"below minimum", &sized, Entry(FILE_ATTRIBUTE_ARCHIVE, 9, 0), false},
        {"at minimum", &sized, Entry(FILE_ATTRIBUTE_ARCHIVE, 10, 0), true},
        {"at maximum", &sized, Entry(FILE_ATTRIBUTE_ARCHIVE, 0x100000000ULL, 0), true},
        {"above maximum", &sized, Entry(FILE_ATTRIBUTE_ARCHIVE, 0x100000001ULL, 0), false},
        {"small directory passes the size test", &sized, Entry(FILE_ATTRIBUTE_DIRECTORY, 0, 0), true},
        {"written before range", &written, Entry(FILE_ATTRIBUTE_ARCHIVE, 1, 99), false},
        {"written at range start", &written, Entry(FILE_ATTRIBUTE_ARCHIVE, 1, 100), true},
        {"written at range end", &written, Entry(FILE_ATTRIBUTE_ARCHIVE, 1, 200), true},
        {"written after range", &written, Entry(FILE_ATTRIBUTE_ARCHIVE, 1, 201), false},
        {"directory outside time range", &written, Entry(FILE_ATTRIBUTE_DIRECTORY, 0, 300), false},
    };
    for (const auto& c : cases) EXPECT_EQ(zq::EntryPassesConditions(c.e, *c.c), c.expected) << c.what;
}

}  // namespace
