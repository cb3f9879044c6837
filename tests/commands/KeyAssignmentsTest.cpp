#include <gtest/gtest.h>

#include <set>
#include <string>

#include "commands/CommandTable.h"
#include "commands/KeyAssignments.h"

using zq::KeyAssignments;
using zq::ModeGroup;

// Key indices by their names in the key table.
constexpr auto* Key = &zq::FindKeyIndexByName;

TEST(KeyTable, DistinctKeysFoundByCodeAndByName) {
    const auto keys = zq::KeyTable();
    std::set<unsigned> codes;
    std::set<std::wstring> names;
    for (const zq::StructKey& k : keys) {
        EXPECT_TRUE(codes.insert(k.virtualKey).second) << k.name;
        EXPECT_TRUE(names.insert(k.name).second) << k.name;
    }
    struct Case {
        const wchar_t* name;
        unsigned vk;
        int index;
    };
    // Names that are easy to get wrong: punctuation keys and the ten-key pad.
    const Case cases[] = {
        {L"A", 0x41, 0}, {L"(", 0xBC, 44}, {L"\\", 0xDC, 38}, {L"0(TENKEY)", 0x60, 67}, {L"ESCAPE", 0x1B, 87},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zq::FindKeyIndex(c.vk), c.index) << c.name;
        EXPECT_EQ(Key(c.name), c.index) << c.name;
    }
    EXPECT_EQ(zq::FindKeyIndex(0xAD), -1);  // volume mute: no record
    EXPECT_EQ(Key(L"esc"), -1);
}

TEST(KeyAssignments, BuiltInsNameCommandsOfTheirOwnMode) {
    const KeyAssignments keys = KeyAssignments::BuiltIn();
    int assigned = 0;
    for (ModeGroup g : zq::kAllModeGroups) {
        for (int k = 0; k < zq::kKeyCount; ++k) {
            for (int m = 0; m < zq::kModifierCount; ++m) {
                const std::wstring& text = keys.Get(g, k, m);
                if (text.empty()) continue;
                ++assigned;
                // The Viewer's arrow defaults include @Left and @Right, which its
                // table does not have: those two keys do nothing by default.
                if (g == ModeGroup::Viewer && (text == L"@Left" || text == L"@Right")) continue;
                EXPECT_NE(zq::FindCommand(g, text), nullptr)
                    << static_cast<int>(g) << L" " << zq::KeyTable()[k].name << L" " << m << L" " << text;
            }
        }
    }
    EXPECT_EQ(assigned, 56 + 30 + 18 + 55);  // a misspelt key name would drop its row
}

TEST(KeyAssignments, SameKeyDiffersByModeAndModifier) {
    const KeyAssignments keys = KeyAssignments::BuiltIn();
    struct Case {
        ModeGroup group;
        unsigned vk;
        int modifier;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {ModeGroup::Filer, 'Q', zq::kModifierNone, L"@Quit"},
        {ModeGroup::Viewer, 'Q', zq::kModifierNone, L"@Quit"},
        {ModeGroup::Graphic, 'Q', zq::kModifierNone, L"@Quit"},
        {ModeGroup::BinaryEditor, 'Q', zq::kModifierNone, L""},
        {ModeGroup::Filer, 'C', zq::kModifierCtrl, L"@Toclipfiles"},
        {ModeGroup::Filer, 'C', zq::kModifierShift, L""},
        {ModeGroup::Graphic, 0x6B, zq::kModifierCtrl, L"@Zoomin"},
        {ModeGroup::BinaryEditor, 0x63, zq::kModifierNone, L"@Input3"},
        {ModeGroup::BinaryEditor, 0x1B, zq::kModifierNone, L"@Binaryeditend"},
        {ModeGroup::Viewer, 0x24, zq::kModifierCtrl, L"@Jumpfirstline"},
    };
    for (const Case& c : cases) {
        const std::wstring* text = keys.Find(c.group, c.vk, c.modifier);
        ASSERT_NE(text, nullptr) << c.vk;
        EXPECT_EQ(*text, c.expected) << static_cast<int>(c.group) << L" " << c.vk;
    }
    EXPECT_EQ(keys.Find(ModeGroup::Filer, 0xAD, 0), nullptr);
    EXPECT_EQ(keys.Find(ModeGroup::Filer, 'Q', 4), nullptr);
}

TEST(KeyAssignments, KeyTextPrefersNoModifierThenTableOrderAndIgnoresCase) {
    KeyAssignments keys;
    keys.Set(ModeGroup::Filer, Key(L"X"), zq::kModifierCtrl, L"@Execute");
    keys.Set(ModeGroup::Filer, Key(L"X"), zq::kModifierNone, L"@Execute");
    keys.Set(ModeGroup::Filer, Key(L"Z"), zq::kModifierShift, L"@Sort");
    keys.Set(ModeGroup::Filer, Key(L"B"), zq::kModifierShift, L"@Sort");
    keys.Set(ModeGroup::Filer, Key(L"F5"), zq::kModifierAlt, L"@Mkdir");
    keys.Set(ModeGroup::Filer, Key(L"ROLLUP"), zq::kModifierCtrl, L"@Pack");
    keys.Set(ModeGroup::Viewer, Key(L"Q"), zq::kModifierNone, L"@Mkdir");
    struct Case {
        ModeGroup group;
        const wchar_t* command;
        const wchar_t* expected;  // null: no key
    };
    const Case cases[] = {
        {ModeGroup::Filer, L"@Execute", L"X"},        {ModeGroup::Filer, L"@EXECUTE", L"X"},
        {ModeGroup::Filer, L"@Sort", L"Shift+B"},     {ModeGroup::Filer, L"@Mkdir", L"Alt+F5"},
        {ModeGroup::Filer, L"@pack", L"Ctrl+ROLLUP"}, {ModeGroup::Viewer, L"@Mkdir", L"Q"},
        {ModeGroup::Filer, L"@Copy", nullptr},        {ModeGroup::Filer, L"", nullptr},
        {ModeGroup::Filer, L"@Exec", nullptr},
    };
    for (const Case& c : cases) {
        const auto text = keys.KeyTextFor(c.group, c.command);
        if (c.expected == nullptr) {
            EXPECT_FALSE(text.has_value()) << c.command << L" -> " << text.value_or(L"");
        } else {
            EXPECT_EQ(text.value_or(L"(none)"), c.expected) << c.command;
        }
    }
}

TEST(KeyAssignments, KeyNamesAndCapacities) {
    EXPECT_EQ(zq::AssignmentKeyName(Key(L"("), zq::kModifierShift), L"S_(");
    EXPECT_EQ(zq::AssignmentKeyName(Key(L"ESCAPE"), zq::kModifierAlt), L"A_ESCAPE");

    KeyAssignments keys;
    const std::wstring longText(600, L'x');
    keys.Set(ModeGroup::Filer, 0, 0, longText);
    keys.Set(ModeGroup::Viewer, 0, 0, longText);
    EXPECT_EQ(keys.Get(ModeGroup::Filer, 0, 0).size(), 519u);
    EXPECT_EQ(keys.Get(ModeGroup::Viewer, 0, 0).size(), 99u);
}

TEST(KeyAssignments, SectionRoundTripAndReadingRules) {
    KeyAssignments original = KeyAssignments::BuiltIn();
    original.Set(ModeGroup::Filer, Key(L"T"), zq::kModifierAlt, L"notepad.exe,$F");
    for (ModeGroup g : zq::kAllModeGroups) {
        const auto lines = original.ToSection(g);
        ASSERT_EQ(lines.size(), 352u);
        EXPECT_EQ(lines[0].first, L"N_A");
        EXPECT_EQ(lines[3].first, L"A_A");
        EXPECT_EQ(lines[351].first, L"A_ESCAPE");
    }
    KeyAssignments copy;  // starts empty: everything must come from the lines
    for (ModeGroup g : zq::kAllModeGroups) copy.ReadSection(g, original.ToSection(g));
    EXPECT_EQ(copy, original);

    KeyAssignments keys = KeyAssignments::BuiltIn();
    keys.ReadSection(ModeGroup::Filer, {
                                           {L"N_Q", L""},       // present and empty: unassigned
                                           {L"C_Q", L"@Quit"},  // new binding
                                           {L"C_Q", L"@Copy"},  // second line of a key is ignored
                                           {L"n_c", L"@Move"},  // key names compare exactly
                                           {L"N_W", std::wstring(700, L'y')},
                                       });
    EXPECT_EQ(keys.Get(ModeGroup::Filer, Key(L"Q"), 0), L"");
    EXPECT_EQ(keys.Get(ModeGroup::Filer, Key(L"Q"), zq::kModifierCtrl), L"@Quit");
    EXPECT_EQ(keys.Get(ModeGroup::Filer, Key(L"C"), 0), L"@Copy");  // missing key keeps its value
    EXPECT_EQ(keys.Get(ModeGroup::Filer, Key(L"W"), 0).size(), 519u);
    EXPECT_EQ(keys.Get(ModeGroup::Viewer, Key(L"Q"), 0), L"@Quit");  // other modes untouched
}
