#include <gtest/gtest.h>

#include <set>
#include <string>

#include "commands/CommandTable.h"

using zq::ModeGroup;

TEST(CommandTable, NamesAreUniqueWellFormedAndFitTheirRecords) {
    for (ModeGroup g : zq::kAllModeGroups) {
        std::set<std::wstring> names;
        std::set<unsigned> menuIds;
        const zq::CommandTable& table = zq::CommandTableOf(g);
        // Rows are grouped by category in ascending order (the key dialogs list
        // them so), every index naming a category.
        int lastCategory = 0;
        for (const zq::StructCommand& row : table.commands) {
            EXPECT_GE(row.category, lastCategory) << row.name;
            EXPECT_LT(static_cast<std::size_t>(row.category), table.categories.size()) << row.name;
            lastCategory = row.category;
            const std::wstring name = row.name;
            EXPECT_TRUE(names.insert(name).second) << "duplicate " << name;
            ASSERT_FALSE(name.empty());
            EXPECT_EQ(name[0], L'@') << name;
            EXPECT_EQ(name.find(L' '), std::wstring::npos) << name;
            EXPECT_LT(name.size(), zq::kCommandNameCapacity) << name;
            EXPECT_LT(std::wstring(row.description).size(), zq::kCommandDescriptionCapacity) << name;
            EXPECT_FALSE(std::wstring(row.description).empty()) << name;
            // A menu item names one command per mode, or menu routing would be ambiguous.
            if (row.menuId != 0) {
                EXPECT_TRUE(menuIds.insert(row.menuId).second) << name << L" " << row.menuId;
            }
            if (g != ModeGroup::Filer) {
                EXPECT_FALSE(row.needsFile) << name;
            }
        }
    }
}

TEST(CommandTable, LookupsAndTheFlagsThatOtherModulesRelyOn) {
    const zq::StructCommand* copy = zq::FindCommand(ModeGroup::Filer, L"@Copy");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(zq::FindCommand(ModeGroup::Filer, L"@copy"), nullptr);
    EXPECT_EQ(zq::FindCommand(ModeGroup::BinaryEditor, L"@Copy"), nullptr);
    EXPECT_EQ(zq::FindCommandByMenuId(ModeGroup::Filer, copy->menuId), copy);
    EXPECT_EQ(zq::FindCommandByMenuId(ModeGroup::Filer, 0), nullptr);

    EXPECT_TRUE(zq::FindCommand(ModeGroup::Filer, L"@Setsoundload")->needsFile);
    EXPECT_FALSE(zq::FindCommand(ModeGroup::Filer, L"@Copy")->needsFile);

    // The settings save is one menu item in every mode.
    const unsigned save = zq::FindCommand(ModeGroup::Filer, L"@ConfigSave")->menuId;
    for (ModeGroup g : zq::kAllModeGroups) EXPECT_EQ(zq::FindCommand(g, L"@ConfigSave")->menuId, save);

    const auto settings = zq::CommandsInCategory(ModeGroup::Viewer, 3);
    ASSERT_EQ(settings.size(), 2u);
    EXPECT_STREQ(settings[0]->name, L"@Viewerkey");
    EXPECT_STREQ(settings[1]->name, L"@ConfigSave");
}
