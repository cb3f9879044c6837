#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "main/TempDir.h"
#include "settings/SettingsTestSupport.h"

namespace zq {
namespace {

using test::TempDir;
using test::Utf16File;

IniRetryPolicy CountingRetry(int attempts, int* sleeps) {
    IniRetryPolicy retry;
    retry.attempts = attempts;
    retry.delayMs = 100;
    retry.sleep = [sleeps](unsigned ms) {
        EXPECT_EQ(ms, 100u);
        ++*sleeps;
    };
    return retry;
}

TEST(IniFileTest, LoadResults) {
    TempDir dir;
    struct Case {
        const wchar_t* name;
        const char* bytes;  // nullptr: the file is not created
        size_t size;
        IniLoadResult expected;
    } cases[] = {
        {L"missing.ini", nullptr, 0, IniLoadResult::NoFile},           {L"empty.ini", "", 0, IniLoadResult::Empty},
        {L"two.ini", "\xFF\xFE", 2, IniLoadResult::Unreadable},        {L"three.ini", "[A]", 3, IniLoadResult::Loaded},
        {L"bom-only-plus.ini", "\xFF\xFE[", 3, IniLoadResult::Loaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bytes ? c.bytes : "(none)"));
        std::wstring path = dir / c.name;
        if (c.bytes) dir.WriteFile(c.name, std::string(c.bytes, c.size));
        IniFile ini(path);
        EXPECT_EQ(ini.Load(), c.expected);
    }
    dir.MakeDir(L"folder.ini");
    IniFile folder(dir / L"folder.ini");
    EXPECT_EQ(folder.Load(), IniLoadResult::Unreadable);
    IniFile noFolder(dir / L"nothere\\zq.ini");
    EXPECT_EQ(noFolder.Load(), IniLoadResult::NoFile);
}

TEST(IniFileTest, FileHeldExclusivelyIsInUseAfterEveryAttempt) {
    TempDir dir;
    const std::wstring path = dir.WriteFile(L"zq.ini", "[ALLDATA]\r\nSTARTSIZE=2\r\n");
    int sleeps = 0;
    IniFile ini(path, CountingRetry(4, &sleeps));
    {
        UniqueFile holder = test::HoldExclusively(path);
        EXPECT_EQ(ini.Load(), IniLoadResult::InUse);
        EXPECT_EQ(sleeps, 3);  // four attempts, a pause between each two
        EXPECT_EQ(ini.GetInt(L"ALLDATA", L"STARTSIZE", 7), 7);
    }
    // Another reader that shares reading does not stop us; a writer does.
    {
        UniqueFile reader(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(reader.Valid());
        EXPECT_EQ(ini.Load(), IniLoadResult::Loaded);
        EXPECT_EQ(ini.GetInt(L"ALLDATA", L"STARTSIZE", 7), 2);
    }
    UniqueFile writer(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.Valid());
    EXPECT_EQ(ini.Load(), IniLoadResult::InUse);
}

TEST(IniFileTest, LineAndKeyRules) {
    struct Case {
        const wchar_t* text;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* expected;  // nullptr: not found
    } cases[] = {
        {L"[S]\r\nK=v", L"S", L"K", L"v"},                              // last line without a break
        {L"[S]\rK=v\rL=w\r", L"S", L"L", L"w"},                         // CR alone ends a line
        {L"[S]\nK=v", L"S", L"K", nullptr},                             // a lone LF is part of the line
        {L"[S]\r\nK=a\nL=b\r\n", L"S", L"K", L"a\nL=b"},                //   …so it stays in the value
        {L"[S]\r\nK =v\r\n", L"S", L"K", nullptr},                      // the blank belongs to the key
        {L"[S]\r\nK =v\r\n", L"S", L"K ", L"v"},                        //
        {L"[S]\r\nK= v \r\n", L"S", L"K", L" v "},                      // no trimming
        {L"[S]\r\nK=\r\n", L"S", L"K", L""},                            // empty value
        {L"[S]\r\nK=1\r\nK=2\r\n", L"S", L"K", L"1"},                   // first line wins
        {L"[S]\r\nK=1\r\n[S]\r\nK=2\r\nM=3\r\n", L"S", L"K", L"1"},     // first section wins
        {L"[S]\r\nK=1\r\n[S]\r\nK=2\r\nM=3\r\n", L"S", L"M", nullptr},  //   …the second is never read
        {L"[S]\r\nk=1\r\n", L"S", L"K", nullptr},                       // exact case
        {L"[S]\r\nK=1\r\n", L"s", L"K", nullptr},                       //
        {L"K=0\r\n[S]\r\nK=1\r\n", L"", L"K", nullptr},                 // lines before a header belong nowhere
        {L"[S\r\nK=1\r\n", L"S", L"K", L"1"},                           // header without "]"
        {L"[S]junk\r\nK=1\r\n", L"S", L"K", L"1"},                      // text after "]" ignored
        {L"[S]\r\n; K=1\r\nK=2\r\n", L"S", L"; K", L"1"},               // no comment syntax
        {L"[S]\r\nnoequals\r\nK=a=b\r\n", L"S", L"K", L"a=b"},          // first "=" splits
        {L"[S]\r\n[T]\r\nK=1\r\n", L"S", L"K", nullptr},                // an empty section ends at the next
        {L"[]\r\nK=1\r\n", L"", L"K", L"1"},                            // empty section name
        {L"[S]\r\n\r\n\r\nK=1", L"S", L"K", L"1"},                      // blank lines
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
        IniFile ini;
        ini.LoadBytes(Utf16File(c.text));
        std::wstring_view value;
        const bool found = ini.Find(c.section, c.key, value);
        EXPECT_EQ(found, c.expected != nullptr);
        if (found && c.expected) {
            EXPECT_EQ(value, c.expected);
        }
    }
}

TEST(IniFileTest, IntegersStringsAndCapacity) {
    IniFile ini;
    ini.LoadBytes(Utf16File(
        L"[N]\r\nA=12\r\nB=-5\r\nC=+7\r\nD= 3\r\nE=abc\r\nF=12abc\r\nG=\r\nH=99999999999\r\nI=-99999999999\r\n"
        L"[T]\r\nLONG=abcdefg\r\nEMPTY=\r\n"));
    struct Case {
        const wchar_t* key;
        int expected;
    } ints[] = {{L"A", 12}, {L"B", -5}, {L"C", 7},       {L"D", 3},       {L"E", 0},
                {L"F", 12}, {L"G", 42}, {L"H", INT_MAX}, {L"I", INT_MIN}, {L"MISSING", 42}};
    for (const Case& c : ints) EXPECT_EQ(ini.GetInt(L"N", c.key, 42), c.expected) << c.key;
    EXPECT_EQ(ini.GetInt(L"NOSECTION", L"A", -16), -16);

    EXPECT_EQ(ini.GetString(L"T", L"LONG", L"", 5), L"abcd");
    EXPECT_EQ(ini.GetString(L"T", L"LONG", L"", 8), L"abcdefg");
    EXPECT_EQ(ini.GetString(L"T", L"EMPTY", L"def", 10), L"");
    EXPECT_EQ(ini.GetString(L"T", L"MISSING", L"def", 10), L"def");
    EXPECT_EQ(ini.GetString(L"T", L"LONG", L"", 1), L"");

    ini.BindSection(L"T", L"bound");
    EXPECT_EQ(ini.GetBoundString(L"LONG", 3), L"ab");
    EXPECT_EQ(ini.GetBoundString(L"MISSING", 100), L"bound");
}

TEST(IniFileTest, Colours) {
    IniFile ini;
    ini.LoadBytes(Utf16File(
        L"[C]\r\nA=0000ff\r\nB=FFaa00\r\nC=0000f\r\nD=00x0ff\r\nE=0000ffzz\r\nF=\r\nG= 0000ff\r\nH=-00001\r\n"));
    struct Case {
        const wchar_t* key;
        std::uint32_t expected;
    } cases[] = {{L"A", 0x0000ff}, {L"B", 0xffaa00}, {L"C", 0x123456}, {L"D", 0x123456},      {L"E", 0x0000ff},
                 {L"F", 0x123456}, {L"G", 0x123456}, {L"H", 0x123456}, {L"MISSING", 0x123456}};
    for (const Case& c : cases) EXPECT_EQ(ini.GetColour(L"C", c.key, 0x123456), c.expected) << c.key;
    EXPECT_EQ(FormatColour(0x00ff10), L"00ff10");
    EXPECT_EQ(FormatColour(0xabcdef), L"abcdef");
}

TEST(IniFileTest, EnumLineWalksKeyLinesOfEverySection) {
    IniFile ini;
    ini.LoadBytes(Utf16File(L"pre=0\r\n[A]\r\nx=1\r\nnothing\r\ny=\r\n[B]\r\n[A]\r\nz=3"));
    ASSERT_EQ(ini.SectionCount(), 3u);
    std::wstring section, key, value;
    std::wstring seen;
    for (size_t s = 0; s < ini.SectionCount(); ++s)
        for (size_t line = 0; ini.EnumLine(s, line, section, key, value); ++line)
            seen += section + L":" + key + L"=" + value + L";";
    EXPECT_EQ(seen, L"A:x=1;A:y=;A:z=3;");
    EXPECT_FALSE(ini.EnumLine(3, 0, section, key, value));
    EXPECT_EQ(ini.FindSection(L"A"), 0);
    EXPECT_EQ(ini.FindSection(L"B"), 1);
    EXPECT_EQ(ini.FindSection(L"C"), -1);
}

TEST(IniFileTest, WritesUtf16WithBomAndCrLf) {
    TempDir dir;
    const std::wstring path = dir / L"out.ini";
    {
        IniFile out;
        ASSERT_TRUE(out.OpenForWriting(path));
        out.WriteString(L"S", L"K", L"日本");
        out.WriteInt(L"S", L"N", -16);
        out.WriteString(L"T", L"E", L"");
        out.WriteString(L"S", L"K2", L"v");
        EXPECT_TRUE(out.CloseWriting());
    }
    EXPECT_EQ(test::ReadFileBytes(path), Utf16File(L"[S]\r\nK=日本\r\nN=-16\r\n[T]\r\nE=\r\n[S]\r\nK2=v\r\n"));
    // While a new file is written the old one is still there to read, whole;
    // it is replaced only when the writer closes.
    IniFile out;
    ASSERT_TRUE(out.OpenForWriting(path));
    out.WriteString(L"New", L"K", L"1");
    IniFile reader(path);
    EXPECT_EQ(reader.Load(), IniLoadResult::Loaded);
    EXPECT_EQ(reader.GetString(L"S", L"K", L"", 10), L"日本");
    EXPECT_TRUE(out.CloseWriting());
    EXPECT_EQ(reader.Load(), IniLoadResult::Loaded);
    EXPECT_EQ(reader.GetString(L"New", L"K", L"", 10), L"1");
    EXPECT_EQ(test::ReadFileBytes(IniFile::TemporaryPathFor(path)), "");
    // A writer dropped unfinished leaves the file as it was.
    {
        IniFile dropped;
        ASSERT_TRUE(dropped.OpenForWriting(path));
        dropped.WriteString(L"Other", L"K", L"2");
    }
    EXPECT_EQ(reader.Load(), IniLoadResult::Loaded);
    EXPECT_EQ(reader.FindSection(L"Other"), -1);

    IniFile bad;
    EXPECT_FALSE(bad.OpenForWriting(dir / L"no\\such\\folder\\x.ini"));
    EXPECT_FALSE(bad.WriteString(L"S", L"K", L"v"));
}

}  // namespace
}  // namespace zq
