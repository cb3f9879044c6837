#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include "settings/IniFile.h"
#include "settings/SettingsTestSupport.h"

namespace zq {
namespace {

TEST(SettingsLocationTest, MainFileBesideTheProgramElseInTheWindowsDirectory) {
    const auto only = [](std::wstring existing) {
        return [existing](const std::wstring& path) { return path == existing; };
    };
    EXPECT_EQ(LocateMainIni(L"C:\\zq", L"C:\\Windows", only(L"C:\\zq\\zq.ini")), L"C:\\zq\\zq.ini");
    EXPECT_EQ(LocateMainIni(L"C:\\zq", L"C:\\Windows", only(L"C:\\Windows\\zq.ini")), L"C:\\Windows\\zq.ini");
    EXPECT_EQ(LocateMainIni(L"C:\\zq", L"C:\\Windows", only(L"")), L"C:\\Windows\\zq.ini");
    EXPECT_EQ(LocateMainIni(L"C:\\zq\\", L"C:\\Windows", only(L"C:\\zq\\zq.ini")), L"C:\\zq\\zq.ini");
}

TEST(SettingsLocationTest, UserIniValues) {
    struct Case {
        const wchar_t* value;
        bool mode;
        const wchar_t* path;
        const wchar_t* resolved;
    } cases[] = {
        {L"@D:\\users\\me.ini", true, L"D:\\users\\me.ini", L"D:\\users\\me.ini"},
        {L"D:\\users\\me.ini", false, L"D:\\users\\me.ini", L"D:\\users\\me.ini"},  // path kept, mode off
        {L"@me.ini", true, L"me.ini", L"C:\\zq\\me.ini"},                           // no directory part
        {L"sub/me.ini", false, L"sub/me.ini", L"sub/me.ini"},
        {L"", false, L"", L""},
        {L"@@x.ini", true, L"@x.ini", L"C:\\zq\\@x.ini"},
        {L" @x.ini", false, L" @x.ini", L"C:\\zq\\ @x.ini"},
    };
    for (const Case& c : cases) {
        const UserIniEntry entry = ParseUserIniValue(c.value, L"C:\\zq");
        EXPECT_EQ(entry.mode, c.mode);
        EXPECT_EQ(entry.path, c.path);
        EXPECT_EQ(entry.resolvedPath, c.resolved);
        EXPECT_EQ(UserIniValue(entry.mode, entry.path), c.value);
    }
}

TEST(SettingsLocationTest, ReadUserIniEntryFindsTheUsersLine) {
    IniFile ini;
    ini.LoadBytes(test::Utf16File(L"[USERINI]\r\nother=@o.ini\r\n山田=@C:\\y.ini\r\nplain=p.ini\r\n"));
    EXPECT_TRUE(ReadUserIniEntry(ini, L"山田", L"C:\\zq").mode);
    EXPECT_EQ(ReadUserIniEntry(ini, L"山田", L"C:\\zq").resolvedPath, L"C:\\y.ini");
    EXPECT_FALSE(ReadUserIniEntry(ini, L"plain", L"C:\\zq").mode);
    EXPECT_FALSE(ReadUserIniEntry(ini, L"nobody", L"C:\\zq").mode);
    EXPECT_FALSE(ReadUserIniEntry(ini, L"", L"C:\\zq").mode);
}

}  // namespace
}  // namespace zq
