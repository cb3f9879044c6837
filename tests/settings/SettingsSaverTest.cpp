#include "settings/SettingsSaver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "main/TempDir.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsStartup.h"
#include "settings/SettingsTestSupport.h"

namespace zq {
namespace {

using test::TempDir;

const SettingsReadContext kScreens{{{800, 600}, {1024, 768}}};

struct Folders {
    TempDir temp;
    std::wstring program = temp.MakeDir(L"プログラム");
    std::wstring windows = temp.MakeDir(L"Windows");

    SaveEnvironment Environment(const std::wstring& user = L"山田") const {
        SaveEnvironment env{program, windows, user};
        env.setCurrentDirectory = false;
        env.retry.attempts = 1;
        return env;
    }
    // What start-up and the view's loader read back.
    Settings StartUp(const std::wstring& user, UserIniEntry* entry = nullptr) const {
        IniFile ini({}, IniRetryPolicy{1, 0, [](unsigned) {}});
        UserIniEntry found;
        EXPECT_TRUE(OpenStartupSettings(
            ini, {program, windows, user}, [] { return false; }, found));
        if (entry) *entry = found;
        return test::ReadAll(ini, kScreens);
    }
};

TEST(SettingsSaverTest, RoundTripWithoutUserIni) {
    Folders f;
    const Settings original = test::DistinctSettings(kScreens);
    SettingsSaver saver(f.Environment());
    EXPECT_EQ(saver.Save(original, {false, L"mine.ini", false}), SaveOutcome::Saved);
    EXPECT_EQ(saver.MainPath(), f.program + L"\\zq.ini");
    const std::wstring text = test::ReadUtf16File(f.program + L"\\zq.ini");
    EXPECT_EQ(text.rfind(L"[USERINI]\r\n山田=mine.ini\r\n[FILERINFODATA]\r\n", 0), 0u);
    UserIniEntry entry;
    const Settings back = f.StartUp(L"山田", &entry);
    EXPECT_FALSE(entry.mode);
    EXPECT_EQ(entry.path, L"mine.ini");
    EXPECT_EQ(test::SettingsText(back), test::SettingsText(original));
    EXPECT_TRUE(back == original);
}

TEST(SettingsSaverTest, RoundTripInUserIniModeKeepsEveryoneElse) {
    Folders f;
    f.temp.WriteFile(L"プログラム\\zq.ini",
                     test::Utf16File(L"[USERINI]\r\nother=@other.ini\r\n山田=old.ini\r\nthird=t.ini\r\n"
                                     L"[ALLDATA]\r\nSTARTSIZE=1\r\nodd key =kept\r\n[KEYEXEDATA]\r\nN_A=@Copy\r\n"
                                     L"[ALLDATA]\r\nSTARTSIZE=9\r\n"));
    const Settings original = test::DistinctSettings(kScreens);
    SettingsSaver saver(f.Environment());
    EXPECT_EQ(saver.Save(original, {true, L"mine.ini", false}), SaveOutcome::Saved);
    EXPECT_EQ(test::ReadUtf16File(f.program + L"\\zq.ini"),
              L"[USERINI]\r\nother=@other.ini\r\n山田=@mine.ini\r\nthird=t.ini\r\n"
              L"[ALLDATA]\r\nSTARTSIZE=1\r\nodd key =kept\r\n[KEYEXEDATA]\r\nN_A=@Copy\r\n"
              L"[ALLDATA]\r\nSTARTSIZE=9\r\n");
    UserIniEntry entry;
    const Settings back = f.StartUp(L"山田", &entry);
    EXPECT_TRUE(entry.mode);
    EXPECT_EQ(entry.resolvedPath, f.program + L"\\mine.ini");
    EXPECT_EQ(test::SettingsText(back), test::SettingsText(original));
    EXPECT_TRUE(back == original);
    // Another user still reads the main file's own settings.
    EXPECT_EQ(f.StartUp(L"third").STARTSIZE, 1);
}

TEST(SettingsSaverTest, NoSaveAtExitChoice) {
    Folders f;
    Settings s;
    s.STARTSIZE = 3;
    SettingsSaver saver(f.Environment());
    // Without user-ini mode nothing is written at all.
    EXPECT_EQ(saver.Save(s, {false, L"", true}), SaveOutcome::Skipped);
    EXPECT_FALSE(test::ReadFileBytes(f.program + L"\\zq.ini").size() > 0);
    // In user-ini mode the main file is written (USERINI and the others' sections), the user's file is not.
    EXPECT_EQ(saver.Save(s, {true, L"mine.ini", true}), SaveOutcome::MainOnly);
    EXPECT_EQ(test::ReadUtf16File(f.program + L"\\zq.ini"), L"[USERINI]\r\n山田=@mine.ini\r\n");
    EXPECT_TRUE(test::ReadFileBytes(f.program + L"\\mine.ini").empty());
    // Without a user name there is no USERINI line to write.
    SettingsSaver anonymous(f.Environment(L""));
    EXPECT_EQ(anonymous.Save(s, {false, L"", false}), SaveOutcome::Saved);
    EXPECT_EQ(test::ReadUtf16File(f.program + L"\\zq.ini").rfind(L"[FILERINFODATA]\r\n", 0), 0u);
}

TEST(SettingsSaverTest, FinalSaveHappensOnce) {
    Folders f;
    Settings s;
    SettingsSaver saver(f.Environment());
    EXPECT_EQ(saver.Save(s, {}), SaveOutcome::Saved);
    EXPECT_FALSE(saver.FinalSaveDone());
    EXPECT_EQ(saver.SaveFinal(s, {}), SaveOutcome::Saved);
    EXPECT_TRUE(saver.FinalSaveDone());
    ASSERT_TRUE(::DeleteFileW((f.program + L"\\zq.ini").c_str()));
    EXPECT_EQ(saver.Save(s, {}), SaveOutcome::Skipped);
    EXPECT_EQ(saver.SaveFinal(s, {}), SaveOutcome::Skipped);
    EXPECT_TRUE(test::ReadFileBytes(f.program + L"\\zq.ini").empty());
}

TEST(SettingsSaverTest, FallsBackToTheWindowsDirectory) {
    Folders f;
    Settings s;
    s.STARTPOS = 2;
    f.temp.WriteFile(L"Windows\\zq.ini", test::Utf16File(L"[USERINI]\r\nother=x.ini\r\n"));
    // A folder named zq.ini beside the program cannot be opened as a file.
    f.temp.MakeDir(L"プログラム\\zq.ini");
    SettingsSaver saver(f.Environment());
    EXPECT_EQ(saver.Save(s, {}), SaveOutcome::Saved);
    EXPECT_EQ(saver.MainPath(), f.windows + L"\\zq.ini");
    const std::wstring text = test::ReadUtf16File(f.windows + L"\\zq.ini");
    EXPECT_EQ(text.rfind(L"[USERINI]\r\nother=x.ini\r\n山田=\r\n", 0), 0u);
    EXPECT_EQ(f.StartUp(L"山田").STARTPOS, 2);

    // Neither directory writable: nothing is saved.
    SaveEnvironment nowhere = f.Environment();
    nowhere.programDir = f.temp / L"missing1";
    nowhere.windowsDir = f.temp / L"missing2";
    SettingsSaver lost(nowhere);
    EXPECT_EQ(lost.Save(s, {}), SaveOutcome::Failed);
    EXPECT_TRUE(lost.MainPath().empty());
}

TEST(SettingsSaverTest, UserFileThatCannotBeCreated) {
    Folders f;
    Settings s;
    SettingsSaver saver(f.Environment());
    EXPECT_EQ(saver.Save(s, {true, f.temp / L"no\\such\\mine.ini", false}), SaveOutcome::UserFileFailed);
    EXPECT_NE(test::ReadUtf16File(f.program + L"\\zq.ini").find(L"山田=@"), std::wstring::npos);
}

// A disk that fills up during the save: the refusal, a short write that is
// admitted, and one that is not (only the size on the disk shows it).
TEST(SettingsSaverTest, AFullDiskKeepsTheOldFile) {
    struct Case {
        const char* what;
        DWORD budget;  // bytes the disk takes
        bool admitShort;
        const wchar_t* call;
        DWORD code;
    };
    const Case cases[] = {
        {"refused at once", 0, true, L"WriteFile", ERROR_DISK_FULL},
        {"cut mid-line, admitted", 5001, true, L"WriteFile", ERROR_DISK_FULL},
        {"cut mid-line, hidden", 5001, false, L"WriteFile", ERROR_DISK_FULL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folders f;
        const std::string before = test::Utf16File(L"[ALLDATA]\r\nSTARTSIZE=4\r\n[WAV]\r\nCOPY=a.wav\r\n");
        const std::wstring path = f.temp.WriteFile(L"プログラム\\zq.ini", before);
        SaveEnvironment env = f.Environment();
        DWORD left = c.budget;
        env.write = [&](HANDLE file, const void* data, DWORD bytes, DWORD* written) -> BOOL {
            const DWORD take = bytes < left ? bytes : left;
            left -= take;
            ::WriteFile(file, data, take, written, nullptr);
            if (take == bytes) return TRUE;
            if (!c.admitShort) *written = bytes;  // a disk that lies
            ::SetLastError(ERROR_DISK_FULL);
            return c.admitShort && take == 0 ? FALSE : TRUE;
        };
        SettingsSaver saver(env);
        EXPECT_EQ(saver.Save(test::DistinctSettings(kScreens), {}), SaveOutcome::Failed);
        EXPECT_EQ(test::ReadFileBytes(path), before);
        EXPECT_EQ(test::ReadFileBytes(IniFile::TemporaryPathFor(path)), "");
        // Never the Windows directory: the next start would not read it.
        EXPECT_EQ(test::ReadFileBytes(f.windows + L"\\zq.ini"), "");
        const std::wstring text = saver.FailureText();
        EXPECT_EQ(text.rfind(L"設定ファイルを保存できませんでした\n" + path + L"\n", 0), 0u) << text;
        EXPECT_NE(text.find(std::wstring(c.call) + L":Error Code=" + std::to_wstring(c.code)), std::wstring::npos)
            << text;
        EXPECT_EQ(f.StartUp(L"山田").STARTSIZE, 4);
    }
}

TEST(SettingsSaverTest, AReadOnlyFileBesideTheProgramIsNotBypassed) {
    Folders f;
    const std::string before = test::Utf16File(L"[ALLDATA]\r\nSTARTPOS=1\r\n");
    const std::wstring path = f.temp.WriteFile(L"プログラム\\zq.ini", before);
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Settings s;
    s.STARTPOS = 2;
    SettingsSaver saver(f.Environment());
    EXPECT_EQ(saver.Save(s, {}), SaveOutcome::Failed);
    EXPECT_TRUE(saver.MainPath().empty());
    EXPECT_EQ(test::ReadFileBytes(path), before);
    EXPECT_EQ(test::ReadFileBytes(f.windows + L"\\zq.ini"), "");
    EXPECT_NE(saver.FailureText().find(L"CreateFile:Error Code=5"), std::wstring::npos);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Writable again: the save goes where the next start reads.
    EXPECT_EQ(saver.Save(s, {}), SaveOutcome::Saved);
    EXPECT_EQ(f.StartUp(L"山田").STARTPOS, 2);
}

TEST(SettingsSaverTest, AnUnreadableFileIsKeptBeforeTheDefaultsReplaceIt) {
    struct Case {
        const char* what;
        std::string bytes;
        bool damaged;
    };
    std::string utf16NoMark = test::Utf16File(L"[ALLDATA]\r\nSTARTSIZE=1\r\n").substr(2);
    const Case cases[] = {
        {"UTF-16 without its mark", utf16NoMark, true},
        {"binary",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0garbage",
                     17),
         true},
        {"text without a section", "STARTSIZE=1\r\n", true},
        {"too short to read", "[A", true},
        {"ANSI in the system code page", "[ALLDATA]\r\nFONTNAME=\x82\xa0\r\n", false},
        {"ours", test::Utf16File(L"[ALLDATA]\r\nSTARTSIZE=1\r\n"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folders f;
        const std::wstring path = f.temp.WriteFile(L"プログラム\\zq.ini", c.bytes);
        IniFile reader(path);
        (void)reader.Load();
        EXPECT_EQ(reader.Damaged(), c.damaged);
        SettingsSaver saver(f.Environment());
        if (reader.Damaged()) saver.KeepBackupOf(path);
        EXPECT_EQ(saver.Save(Settings{}, {}), SaveOutcome::Saved);
        EXPECT_EQ(test::ReadFileBytes(path + L".bak"), c.damaged ? c.bytes : "");
        // Once replaced the file is ours; later saves keep no more copies.
        EXPECT_EQ(saver.Save(Settings{}, {}), SaveOutcome::Saved);
        EXPECT_EQ(test::ReadFileBytes(path + L".bak2"), "");
    }
    // An older backup is never overwritten.
    Folders f;
    const std::wstring path = f.temp.WriteFile(L"プログラム\\zq.ini", "no section");
    f.temp.WriteFile(L"プログラム\\zq.ini.bak", "older");
    SettingsSaver saver(f.Environment());
    saver.KeepBackupOf(path);
    EXPECT_EQ(saver.Save(Settings{}, {}), SaveOutcome::Saved);
    EXPECT_EQ(test::ReadFileBytes(path + L".bak"), "older");
    EXPECT_EQ(test::ReadFileBytes(path + L".bak2"), "no section");
}

TEST(SettingsSaverTest, StartupWaitsWhileTheFileIsInUse) {
    Folders f;
    const std::wstring path = f.temp.WriteFile(L"プログラム\\zq.ini", test::Utf16File(L"[ALLDATA]\r\nSTARTSIZE=5\r\n"));
    UniqueFile holder = test::HoldExclusively(path);
    IniFile ini({}, IniRetryPolicy{2, 0, [](unsigned) {}});
    UserIniEntry user;
    int asked = 0;
    EXPECT_FALSE(OpenStartupSettings(
        ini, {f.program, f.windows, L""}, [&] { return ++asked < 2; }, user));
    EXPECT_EQ(asked, 2);
    asked = 0;
    EXPECT_TRUE(OpenStartupSettings(
        ini, {f.program, f.windows, L""},
        [&] {
            holder.Reset();
            return ++asked > 0;
        },
        user));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ini.GetInt(L"ALLDATA", L"STARTSIZE", 0), 5);
}

}  // namespace
}  // namespace zq
