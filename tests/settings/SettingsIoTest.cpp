#include "settings/SettingsIo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "common/TextConv.h"
#include "main/TempDir.h"
#include "settings/SettingsTestSupport.h"

namespace zq {
namespace {

using test::ReadAll;
using test::TempDir;

IniFile& Loaded(IniFile& ini, const std::wstring& text) {
    ini.LoadBytes(test::Utf16File(text));
    return ini;
}

void WriteAll(const std::wstring& path, const Settings& s) {
    IniFile out;
    ASSERT_TRUE(out.OpenForWriting(path));
    ASSERT_TRUE(WriteAllSettings(out, s));
    ASSERT_TRUE(out.CloseWriting());
}

TEST(SettingsIoTest, TableNamesEveryKeyOnceAndKeepsSectionsTogether) {
    std::set<std::wstring> seen;
    std::vector<std::wstring> sectionOrder;
    for (const KeyRow& row : SettingsTable()) {
        if (sectionOrder.empty() || sectionOrder.back() != row.section) sectionOrder.push_back(row.section);
        if (row.kind != KeyKind::Int && row.kind != KeyKind::String && row.kind != KeyKind::Colour) continue;
        for (int i = 0; i < row.Keys(); ++i)
            EXPECT_TRUE(seen.insert(std::wstring(row.section) + L"/" + KeyName(row, i)).second)
                << "twice: " << ToUtf8(row.section) << "/" << ToUtf8(KeyName(row, i));
    }
    // A section's rows are together, so each section is written under one header.
    std::set<std::wstring> distinct(sectionOrder.begin(), sectionOrder.end());
    EXPECT_EQ(distinct.size(), sectionOrder.size());
}

TEST(SettingsIoTest, LookupByName) {
    Settings s;
    EXPECT_EQ(FindIntSetting(s, L"STARTSIZE"), &s.STARTSIZE);
    EXPECT_EQ(FindIntSetting(s, L"MCI_VOLUME"), &s.MCI_VOLUME);  // ALLDATA2 is read at start-up too
    EXPECT_EQ(FindIntSetting(s, L"NOSUCHKEY"), nullptr);
    EXPECT_EQ(FindStringSetting(s, L"DOSSHELL"), &s.DOSSHELL);
}

TEST(SettingsIoTest, StartupAndRemainingSectionsAreReadSeparately) {
    IniFile ini;
    Loaded(ini, L"[ALLDATA]\r\nSTARTSIZE=4\r\n[WILDCARD]\r\nFILTER0=*.txt\r\n");
    Settings s;
    ReadStartupSettings(ini, s);
    EXPECT_EQ(s.STARTSIZE, 4);
    EXPECT_EQ(s.wildcardFilters[0], L"");
    ReadRemainingSettings(ini, s, {});
    EXPECT_EQ(s.wildcardFilters[0], L"*.txt");
}

TEST(SettingsIoTest, FileEdgeCases) {
    IniFile ini;
    Loaded(ini,
           L"[ALLDATA]\r\nSTARTSIZE=2\r\nFIRSTWIDE=\r\nFIRSTHEIGHT =999\r\nSTARTSIZE=3\r\nFONTNAME=\r\n"
           L"[WILDCARD]\r\nFILTER0=*.c\r\nFILTER1=\r\n"
           L"[ALLDATA]\r\nSTARTPOS=1\r\nSTARTSIZE=5\r\n"
           L"[COLORDATA]\r\nREAD_ONLY_COLOR=FF0000\r\nSYSTEM_COLOR=12345\r\nHIDDEN_COLOR=12345g\r\nBINARY0a=010203\r\n"
           L"[PACKDATA]\r\nPACK0103=1\r\n"
           L"[VIEWERSETTING]\r\nLINE_RETURN_CODE=abcdef\r\nKIND0=" +
               std::wstring(400, L'x') + L"\r\n");
    const Settings s = ReadAll(ini);
    EXPECT_EQ(s.STARTSIZE, 2);      // first key wins
    EXPECT_EQ(s.STARTPOS, 0);       // the second ALLDATA is never read
    EXPECT_EQ(s.FIRSTWIDE, 640);    // empty integer: default
    EXPECT_EQ(s.FIRSTHEIGHT, 480);  // "FIRSTHEIGHT " is another key
    EXPECT_EQ(s.FONTNAME, L"");     // empty string stays empty
    EXPECT_EQ(s.wildcardFilters[0], L"*.c");
    EXPECT_EQ(s.wildcardFilters[1], L"");
    EXPECT_EQ(s.READ_ONLY_COLOR, 0xff0000u);
    EXPECT_EQ(s.SYSTEM_COLOR, 0x00ff00u);  // too short: default
    EXPECT_EQ(s.HIDDEN_COLOR, 0xff0000u);  // bad digit: default
    EXPECT_EQ(s.binaryColors[0x0a], 0x010203u);
    EXPECT_EQ(s.binaryColors[0x0b], 0xffffffu);
    EXPECT_EQ(s.packOptions[1][3], 1);
    EXPECT_EQ(s.unpackOptions[1][3], 0);
    EXPECT_EQ(s.lineReturnCode, L"ab");                   // capacity 3
    EXPECT_EQ(s.viewerKind[0], std::wstring(259, L'x'));  // capacity 260
}

TEST(SettingsIoTest, HistoriesKeepFileOrderAndDropDuplicates) {
    IniFile ini;
    Loaded(ini,
           L"[DIRHISTORY]\r\nTODIR0=C:\\a\r\nTODIR1=C:\\b\r\nTODIR2=c:\\A\r\nTODIR5=C:\\c\r\n"
           L"[ALLDATA2]\r\nSUMCOPYPASTDIRECTORY=3\r\n"
           L"[SELECTDIR]\r\nTODIR0=s0\r\nTODIR1=s1\r\nTODIR2=s2\r\nTODIR3=s3\r\nTODIR4=s4\r\n");
    const Settings s = ReadAll(ini);
    EXPECT_EQ(s.dirHistory.Items(), (std::vector<std::wstring>{L"C:\\a", L"C:\\b", L"C:\\c"}));
    EXPECT_EQ(s.selectDir.Capacity(), 3u);
    EXPECT_EQ(s.selectDir.Items(), (std::vector<std::wstring>{L"s0", L"s1", L"s2"}));

    TempDir dir;
    WriteAll(dir / L"h.ini", s);
    const std::wstring text = test::ReadUtf16File(dir / L"h.ini");
    EXPECT_NE(text.find(L"[SELECTDIR]\r\nTODIR0=s0\r\nTODIR1=s1\r\nTODIR2=s2\r\n["), std::wstring::npos);
    EXPECT_NE(text.find(L"TODIR2=C:\\c\r\nTODIR3=\r\n"), std::wstring::npos);
}

TEST(SettingsIoTest, LoaderCorrectionsAndDependentSections) {
    struct Case {
        const wchar_t* text;
        size_t jumpGroups;
    } cases[] = {{L"[ALLDATA2]\r\nSUMDIRJUMPGROUP=0\r\n", 1},
                 {L"[ALLDATA2]\r\nSUMDIRJUMPGROUP=-7\r\n", 1},
                 {L"[ALLDATA2]\r\nSUMDIRJUMPGROUP=3\r\n", 3}};
    for (const Case& c : cases) {
        IniFile ini;
        const Settings s = ReadAll(Loaded(ini, c.text));
        EXPECT_EQ(s.SUMDIRJUMPGROUP, static_cast<int>(c.jumpGroups));
        EXPECT_EQ(s.jumpGroups.size(), c.jumpGroups);
    }

    IniFile ini;
    Loaded(ini,
           L"[ALLDATA2]\r\nSUMDIRJUMPGROUP=2\r\nSUMSAVECURPOS=2\r\n"
           L"[JUMPDATA]\r\nGROUP0=g0\r\nGROUP1=g1\r\nTODIR0=C:\\\r\nDIRKEY0=A\r\nDISPLAY0=root\r\nTODIR1=D:\\\r\n"
           L"TODIR3=skipped\r\nTODIR0100=E:\\\r\nTODIR0101=\r\nTODIR0102=F:\\\r\n"
           L"[LANCHER]\r\nEXE0=a.exe\r\nPAR0=-x\r\nEXE1=b.exe\r\nEXE3=never\r\n"
           L"[PLUGINDATA]\r\nPLUGINDIR=C:\\plug\r\nP_NAME0=p.dll\r\nP_VER0=3\r\n"
           L"[SAVECURPOS]\r\nDIR0=C:\\x\r\nNAME0=f\r\n"
           L"[SUSIEDATA]\r\nPLUGINFILE0=@a,b,\r\nPLUGINFILE1=c,d,\r\nPLUGINFILE3=e,f,\r\n");
    Settings s = ReadAll(ini);
    ASSERT_EQ(s.jumpGroups.size(), 2u);
    EXPECT_EQ(s.jumpGroups[0].name, L"g0");
    ASSERT_EQ(s.jumpGroups[0].entries.size(), 2u);
    EXPECT_EQ(s.jumpGroups[0].entries[0], (Settings::JumpEntry{L"C:\\", L"A", L"root"}));
    ASSERT_EQ(s.jumpGroups[1].entries.size(), 1u);
    EXPECT_EQ(s.jumpGroups[1].entries[0].toDir, L"E:\\");
    ASSERT_EQ(s.launcher.size(), 2u);
    EXPECT_EQ(s.launcher[0].param, L"-x");
    EXPECT_EQ(s.pluginDir, L"C:\\plug");
    // Read although ZQPLUGINLOADTYPE and SAVECURSORPOSITION are 0, so that a save keeps them.
    ASSERT_EQ(s.plugins.size(), 1u);
    EXPECT_EQ(s.plugins[0].name, L"p.dll");
    EXPECT_EQ(s.savedCursors.size(), 2u);
    EXPECT_EQ(s.savedCursors[0], (Settings::SavedCursor{L"C:\\x", L"f"}));
    EXPECT_EQ(s.pluginFiles, (std::vector<std::wstring>{L"@a,b,", L"c,d,"}));

    Loaded(ini,
           L"[ALLDATA]\r\nZQPLUGINLOADTYPE=1\r\n[ALLDATA2]\r\nSAVECURSORPOSITION=1\r\nSUMSAVECURPOS=2\r\n"
           L"[PLUGINDATA]\r\nP_NAME0=p.dll\r\nP_VER0=3\r\nP_TYPE0=ABCDE\r\nP_VIEWMENU0=1\r\n"
           L"[SAVECURPOS]\r\nDIR0=C:\\x\r\nNAME0=f\r\nDIR5=outside\r\n");
    s = ReadAll(ini);
    ASSERT_EQ(s.plugins.size(), 1u);
    EXPECT_EQ(s.plugins[0].version, 3);
    EXPECT_EQ(s.plugins[0].type, L"ABC");
    EXPECT_EQ(s.plugins[0].viewMenu, 1);
    EXPECT_EQ(s.savedCursors[0], (Settings::SavedCursor{L"C:\\x", L"f"}));
}

TEST(SettingsIoTest, RecordListsAreWrittenRecordByRecord) {
    Settings s;
    s.launcher = {{L"a.exe", L"-p", L"K", L"C:\\"}};
    s.plugins = {{L"p.dll", 3, L"VIE", L"", L"#k", 1}};
    s.SUMSAVECURPOS = 2;
    s.savedCursors = {{L"C:\\x", L"f"}};    // the missing slot is written empty
    s.pluginFiles = {L"@a.sph", L"b.sph"};  // the reader stops at the empty value after them
    const std::wstring text = test::SettingsText(s);
    for (const wchar_t* lines : {L"[LANCHER]\r\nEXE0=a.exe\r\nPAR0=-p\r\nKEY0=K\r\nEXE_DIR0=C:\\\r\n[",
                                 L"\r\nP_NAME0=p.dll\r\nP_VER0=3\r\nP_TYPE0=VIE\r\nP_VIEWKEY0=\r\nP_KEYSTR0=#k\r\n"
                                 L"P_VIEWMENU0=1\r\n[",
                                 L"[SAVECURPOS]\r\nDIR0=C:\\x\r\nNAME0=f\r\nDIR1=\r\nNAME1=\r\n[",
                                 L"PLUGINFILE0=@a.sph\r\nPLUGINFILE1=b.sph\r\nPLUGINFILE2=\r\n["})
        EXPECT_NE(text.find(lines), std::wstring::npos) << ToUtf8(lines);
}

TEST(SettingsIoTest, DerivedFormats) {
    const SettingsReadContext screens{{{640, 480}, {1024, 768}, {1920, 1080}, {800, 600}}};
    IniFile ini;
    Loaded(ini,
           L"[ALLDATA]\r\nFONTHEIGHT=-12\r\nFONTWIDE=6\r\nFONTNAME=Gothic\r\nFONTCHARSET=1\r\nDATEWRITEFLAG=1\r\n"
           L"HIDDENVIEWFLAG=0\r\nNOTVIEWUPDIR=1\r\n[ALLDATA2]\r\nFONTWEIGHT=700\r\nATTRIBUTES_WRITE=1\r\n"
           L"[DISPLAYFONT]\r\n0640X0480=-20,10,Mincho,128,400,\r\n1024X0768=-20,10,Mincho,\r\n"
           L"1920X1080=-30,15,Meiryo,128,\r\n"
           L"[FILERINFODATA]\r\nFILERINFO0=01101\r\nFILERINFO1=1\r\n"
           L"[DISP_FILE_SETTING]\r\n0=101\r\n1=111111\r\n");
    const Settings s = ReadAll(ini, screens);
    ASSERT_EQ(s.displayFonts.size(), 4u);
    EXPECT_EQ(s.displayFonts[0], (Settings::DisplayFont{640, 480, -20, 10, L"Mincho", 128, 400}));
    EXPECT_EQ(s.displayFonts[1], (Settings::DisplayFont{1024, 768, -12, 6, L"Gothic", 1, 700}));      // 3 fields
    EXPECT_EQ(s.displayFonts[2], (Settings::DisplayFont{1920, 1080, -30, 15, L"Meiryo", 128, 700}));  // 4 fields
    EXPECT_EQ(s.displayFonts[3], (Settings::DisplayFont{800, 600, -12, 6, L"Gothic", 1, 700}));       // missing
    EXPECT_EQ(s.filerInfo[0], (Settings::FilerInfo{0, 1, 1, 0, 1}));
    EXPECT_EQ(s.filerInfo[1], (Settings::FilerInfo{1, 0, 0, 0, 0}));
    EXPECT_EQ(s.filerInfo[2], (Settings::FilerInfo{1, 0, 1, 0, 1}));  // from the current flags
    EXPECT_EQ(s.dispFileSettings[0], 0b101u);
    EXPECT_EQ(s.dispFileSettings[1], 0b111111u);
    EXPECT_EQ(s.dispFileSettings[2], 0b101110u);  // hidden off, ".." hidden
}

TEST(SettingsIoTest, KeySectionsKeepFileOrderFirstLineAndCapacity) {
    IniFile ini;
    Loaded(ini,
           L"[KEYEXEDATA]\r\nN_C=@Copy\r\nS_C=@Move\r\nN_C=@Delete\r\nbad line\r\nC_F1=\r\n"
           L"[VIEWKEYEXEDATA]\r\nN_Q=" +
               std::wstring(150, L'q') + L"\r\n");
    const Settings s = ReadAll(ini);
    EXPECT_EQ(s.keySections[kKeyFiler], (Settings::KeySection{{L"N_C", L"@Copy"}, {L"S_C", L"@Move"}, {L"C_F1", L""}}));
    ASSERT_EQ(s.keySections[kKeyViewer].size(), 1u);
    EXPECT_EQ(s.keySections[kKeyViewer][0].second.size(), 99u);
    EXPECT_TRUE(s.keySections[kKeyGraphic].empty());
    EXPECT_EQ(ReadKeySection(ini, L"KEYEXEDATA", KeySectionCapacity(kKeyFiler)), s.keySections[kKeyFiler]);
}

TEST(SettingsIoTest, AnsiFileIsSavedAsUtf16) {
    TempDir dir;
    // ＭＳ ゴシック, a path with 表 (whose second byte is a backslash) and a half-width ｱ in code page 932;
    // the last line has no line break.
    const std::wstring in = dir.WriteFile(L"ansi.ini",
                                          "[ALLDATA]\r\nFONTNAME=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
                                          "FIRSTDIRECTORY=C:\\\x95\x5c\\x\r\n[DIRHISTORY]\r\nTODIR0=C:\\\x95\x5c\xb1");
    IniFile ini(in);
    ASSERT_EQ(ini.Load(), IniLoadResult::Loaded);
    const Settings s = ReadAll(ini);
    EXPECT_EQ(s.FONTNAME, L"ＭＳ ゴシック");
    EXPECT_EQ(s.FIRSTDIRECTORY, L"C:\\表\\x");
    EXPECT_EQ(s.dirHistory.Get(0), L"C:\\表ｱ");
    WriteAll(dir / L"out.ini", s);
    const std::string bytes = test::ReadFileBytes(dir / L"out.ini");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(test::ReadUtf16File(dir / L"out.ini").find(L"\r\nFONTNAME=ＭＳ ゴシック\r\n"), std::wstring::npos);
}

TEST(SettingsIoTest, ImportKeySectionsKeepsKeysTheFileDoesNotName) {
    TempDir dir;
    const std::wstring path = dir.WriteFile(
        L"keys.ini", test::Utf16File(L"[ALLDATA]\r\nSTARTSIZE=5\r\n[KEYEXEDATA]\r\nN_C=@Move\r\nN_Z=@Zoomin\r\n"
                                     L"[BINARYKEYEXEDATA]\r\nS_A=@Quit\r\n"));
    Settings s;
    s.keySections[kKeyFiler] = {{L"N_A", L"@Attribute"}, {L"N_C", L"@Copy"}};
    s.keySections[kKeyViewer] = {{L"N_Q", L"@Closeviewer"}};
    IniFile file(path);
    EXPECT_EQ(ImportKeySections(file, s), IniLoadResult::Loaded);
    EXPECT_EQ(s.keySections[kKeyFiler],
              (Settings::KeySection{{L"N_A", L"@Attribute"}, {L"N_C", L"@Move"}, {L"N_Z", L"@Zoomin"}}));
    EXPECT_EQ(s.keySections[kKeyViewer], (Settings::KeySection{{L"N_Q", L"@Closeviewer"}}));
    EXPECT_EQ(s.keySections[kKeyBinary], (Settings::KeySection{{L"S_A", L"@Quit"}}));
    EXPECT_EQ(s.STARTSIZE, 0);  // only the key sections are read

    UniqueFile holder = test::HoldExclusively(path);
    IniFile busy(path, IniRetryPolicy{2, 0, [](unsigned) {}});
    const Settings before = s;
    EXPECT_EQ(ImportKeySections(busy, s), IniLoadResult::InUse);
    EXPECT_TRUE(s == before);
}

}  // namespace
}  // namespace zq
