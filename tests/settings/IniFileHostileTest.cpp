// Damaged and hostile settings files: the loader reads what it can, every other
// key takes its default, and nothing crashes.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/TextConv.h"
#include "main/TempDir.h"
#include "settings/IniFile.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsTestSupport.h"

namespace zq {
namespace {

using test::ReadAll;
using test::TempDir;

const SettingsReadContext kScreen{{{640, 480}}};

// A repeatable byte stream: the same "garbage" on every run.
std::string Garbage(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (char& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<char>(seed >> 16);
    }
    return bytes;
}

TEST(IniFileHostileTest, TruncatedFileKeepsWhatCameBeforeTheCut) {
    const Settings original = test::DistinctSettings({{{640, 480}}});
    const std::string full = test::Utf16File(test::SettingsText(original));
    const size_t colours = full.find(test::Utf16File(L"[COLORDATA]").substr(2));
    ASSERT_NE(colours, std::string::npos);
    // Cut inside the colour section: mid-line, mid-unit (odd length), right after a header.
    for (size_t cut : {colours + 2000, colours + 2001, colours + 24, static_cast<size_t>(3)}) {
        SCOPED_TRACE(cut);
        IniFile ini;
        ini.LoadBytes(full.substr(0, cut));
        const Settings s = ReadAll(ini, kScreen);
        const bool allDataKept = cut > colours;
        EXPECT_EQ(s.STARTSIZE, allDataKept ? original.STARTSIZE : Settings().STARTSIZE);
        EXPECT_EQ(s.MCI_VOLUME, allDataKept ? original.MCI_VOLUME : Settings().MCI_VOLUME);
        EXPECT_EQ(s.binaryColors[0xff], Settings().binaryColors[0xff]);
        EXPECT_EQ(s.wavFiles[0], L"");
        EXPECT_EQ(s.keySections[kKeyFiler].size(), 0u);
    }
}

TEST(IniFileHostileTest, BinaryGarbageLoadsAndDefaultsTheRest) {
    const std::wstring marker = L"\r\n\r\n\r\n[ALLDATA]\r\nSTARTSIZE=3\r\nFONTNAME=x\r\n[ALLDATA2]\r\n";
    struct Case {
        bool bom;
        unsigned seed;
    } cases[] = {{false, 1}, {false, 2}, {true, 3}, {true, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        std::string bytes = Garbage(65536, c.seed);
        if (c.bom) {
            bytes[0] = '\xFF';
            bytes[1] = '\xFE';
            bytes.insert(32768, test::Utf16File(marker).substr(2));
        } else {
            if (static_cast<unsigned char>(bytes[0]) == 0xFF) bytes[0] = 'x';
            bytes.insert(32768, ToNarrow(marker));
        }
        IniFile ini;
        ini.LoadBytes(bytes);
        const Settings s = ReadAll(ini, kScreen);
        EXPECT_EQ(s.STARTSIZE, 3);
        EXPECT_EQ(s.FONTNAME, L"x");
        EXPECT_EQ(s.FONTWEIGHT, 400);
    }
    // Every UTF-16 unit, lone surrogates and NULs included, as one file.
    std::wstring all;
    for (unsigned u = 0; u < 0x10000; ++u) all += static_cast<wchar_t>(u);
    IniFile ini;
    ini.LoadBytes(test::Utf16File(L"[ALLDATA]\r\nFIRSTX=" + all + L"\r\nFIRSTY=7\r\n"));
    const Settings s = ReadAll(ini, kScreen);
    EXPECT_EQ(s.FIRSTX, 0);  // the value is U+0000 to U+000C: the CR among the units ends the line
    EXPECT_EQ(s.FIRSTY, 7);
}

TEST(IniFileHostileTest, HundredMegabyteFile) {
    TempDir dir;
    const std::string head = "[ALLDATA]\r\nSTARTSIZE=2\r\n";
    const std::string tail = "[ALLDATA2]\r\nFONTWEIGHT=700\r\n[WILDCARD]\r\nFILTER0=*.txt";
    const std::string line = "JUNK=0123456789abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJK\r\n";
    std::string bytes;
    bytes.reserve(100u * 1024 * 1024 + 256);
    bytes += head;
    while (bytes.size() + line.size() + tail.size() <= 100u * 1024 * 1024) bytes += line;
    bytes += tail;
    const std::wstring path = dir.WriteFile(L"big.ini", bytes);
    bytes.clear();
    bytes.shrink_to_fit();
    {
        IniFile ini(path);
        ASSERT_EQ(ini.Load(), IniLoadResult::Loaded);
        const Settings s = ReadAll(ini, kScreen);
        EXPECT_EQ(s.STARTSIZE, 2);
        EXPECT_EQ(s.FIRSTWIDE, 640);
        EXPECT_EQ(s.FONTWEIGHT, 700);
        EXPECT_EQ(s.wildcardFilters[0], L"*.txt");
    }
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
}

TEST(IniFileHostileTest, HugeCountsAreBounded) {
    IniFile ini;
    ini.LoadBytes(test::Utf16File(
        L"[ALLDATA2]\r\nSUMCOPYPASTDIRECTORY=2000000000\r\nSUMSAVECURPOS=-5\r\nSUMDIRJUMPGROUP=99999\r\n"
        L"SAVECURSORPOSITION=1\r\n[SELECTDIR]\r\nTODIR0=a\r\n"));
    const Settings s = ReadAll(ini, kScreen);
    EXPECT_LE(s.selectDir.Capacity(), 1000u);
    EXPECT_EQ(s.selectDir.Get(0), L"a");
    EXPECT_TRUE(s.savedCursors.empty());
    EXPECT_LE(s.jumpGroups.size(), 100u);
}

}  // namespace
}  // namespace zq
