#include <gtest/gtest.h>

#include <windows.h>

#include "commands/KeyDataImport.h"
#include "main/TempDir.h"
#include "settings/IniFile.h"

using zq::KeyAssignments;
using zq::ModeGroup;

namespace {

constexpr auto* Key = &zq::FindKeyIndexByName;

// A settings file as another installation would have written it: key
// sections among the others, and lines in other sections whose names look
// like key lines.
std::wstring WriteForeignSettings(const zq::test::TempDir& dir) {
    const std::wstring path = dir / L"他の設定.INI";
    zq::IniFile out;
    EXPECT_TRUE(out.OpenForWriting(path));
    out.WriteString(L"ALLDATA", L"N_A", L"@Delete");
    out.WriteInt(L"ALLDATA", L"STARTSIZE", 3);
    out.WriteString(L"KEYEXEDATA", L"N_C", L"@Move");
    out.WriteString(L"KEYEXEDATA", L"C_F5", L"notepad.exe,$F");
    out.WriteString(L"KEYEXEDATA", L"N_Q", L"");
    out.WriteString(L"KEYEXEDATA2", L"N_D", L"@Copy");
    out.WriteString(L"VIEWKEYEXEDATA", L"S_Q", L"@Closeviewer");
    out.WriteString(L"GRAPHICKEYEXEDATA", L"N_Z", L"@Zoomin");
    out.WriteString(L"BINARYKEYEXEDATA", L"C_A", L"@Binaryallselect");
    out.WriteString(L"NOTVIEWMENU", L"N_E", L"@Quit");
    // A second section of a name that came before: the reader takes the first only.
    out.WriteString(L"KEYEXEDATA", L"N_C", L"@Delete");
    out.WriteString(L"KEYEXEDATA", L"N_H", L"@Dirsize");
    EXPECT_TRUE(out.CloseWriting());
    return path;
}

zq::IniRetryPolicy NoWaiting() {
    zq::IniRetryPolicy retry;
    retry.attempts = 2;
    retry.sleep = [](unsigned) {};
    return retry;
}

}  // namespace

TEST(KeyDataImport, TakesTheFourKeySectionsAndNothingElse) {
    zq::test::TempDir dir;
    const std::wstring path = WriteForeignSettings(dir);
    KeyAssignments keys = KeyAssignments::BuiltIn();
    ASSERT_TRUE(zq::ImportKeyData(path, keys, NoWaiting()));

    struct Case {
        ModeGroup group;
        const wchar_t* key;
        int modifier;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {ModeGroup::Filer, L"C", 0, L"@Move"},
        {ModeGroup::Filer, L"F5", zq::kModifierCtrl, L"notepad.exe,$F"},
        {ModeGroup::Filer, L"Q", 0, L""},            // present and empty: unassigned
        {ModeGroup::Filer, L"A", 0, L"@Attribute"},  // only ALLDATA names it
        {ModeGroup::Filer, L"D", 0, L"@Delete"},     // only a look-alike section names it
        {ModeGroup::Filer, L"E", 0, L"@Edit"},       // only NOTVIEWMENU names it
        {ModeGroup::Filer, L"X", 0, L"@Execute"},    // not named: keeps its assignment
        {ModeGroup::Viewer, L"Q", zq::kModifierShift, L"@Closeviewer"},
        {ModeGroup::Viewer, L"Q", 0, L"@Quit"},
        {ModeGroup::Graphic, L"Z", 0, L"@Zoomin"},
        {ModeGroup::BinaryEditor, L"A", zq::kModifierCtrl, L"@Binaryallselect"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keys.Get(c.group, Key(c.key), c.modifier), c.expected)
            << static_cast<int>(c.group) << " " << std::wstring(c.key);
}

TEST(KeyDataImport, UnreadableFileLeavesTheKeysAlone) {
    zq::test::TempDir dir;
    const std::wstring path = WriteForeignSettings(dir);
    const KeyAssignments before = KeyAssignments::BuiltIn();

    KeyAssignments keys = before;
    EXPECT_FALSE(zq::ImportKeyData(dir / L"ない.INI", keys, NoWaiting()));
    EXPECT_EQ(keys, before);

    // Another program holds the file without sharing it.
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(zq::ImportKeyData(path, keys, NoWaiting()));
    ::CloseHandle(held);
    EXPECT_EQ(keys, before);

    EXPECT_TRUE(zq::ImportKeyData(path, keys, NoWaiting()));
    EXPECT_NE(keys, before);
}

TEST(KeyDataImport, FilterBecomesTheDialogsList) {
    const std::wstring filter = zq::FileDialogFilter(zq::kKeyDataFilter);
    const std::wstring expected(L"INIファイル\0*.INI\0\0", 15);
    EXPECT_EQ(filter, expected);
    EXPECT_EQ(zq::FileDialogFilter(L"a|*.*"), std::wstring(L"a\0*.*\0", 6));
}
