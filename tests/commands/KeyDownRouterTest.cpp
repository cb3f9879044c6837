#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/KeyDownRouter.h"
#include "commands/ModeMasks.h"

using zq::KeyOutcome;
using zq::ModeGroup;

namespace {

struct FakeHost : zq::IKeyDispatchHost, zq::IKeyDownHooks {
    std::uint32_t activeMode = zq::pane_mode::kDirectory;  // the active pane is the only shown pane
    bool incActive = false;
    bool jumpPending = false;
    bool searchTakesKeys = false;
    std::vector<std::wstring> log;

    bool ShownPaneInMode(std::uint32_t mask) const override { return (activeMode & mask) != 0; }
    void HideToTaskTray(int, unsigned) override { log.push_back(L"tray"); }
    bool RunPluginCommand(std::wstring_view) override { return false; }
    void RunProgram(const zq::ProgramCall& c) override { log.push_back(L"program " + c.program); }

    bool ActivePaneInMode(std::uint32_t mask) const override { return (activeMode & mask) != 0; }
    void CancelKeyDirectoryJump() override { log.push_back(L"cancel jump"); }
    void OpenPaneContextMenus() override { log.push_back(L"context menus"); }
    void RunReturnAction() override { log.push_back(L"return"); }
    bool IncrementalSearchActive() const override { return incActive; }
    void EndIncrementalSearch() override { log.push_back(L"end search"); }
    bool KeyDirectoryJumpPending() const override { return jumpPending; }
    void RunKeyDirectoryJump(std::wstring_view name) override { log.push_back(L"jump " + std::wstring(name)); }
    bool OfferToIncrementalSearch(unsigned, int) override {
        if (searchTakesKeys) log.push_back(L"search");
        return searchTakesKeys;
    }
    void MoveCursorToDrive(wchar_t letter, bool change) override {
        log.push_back(std::wstring(L"drive ") + letter + (change ? L" change" : L""));
    }
};

struct Fixture {
    zq::KeyAssignments keys = zq::KeyAssignments::BuiltIn();
    zq::CommandRegistry registry;
    FakeHost host;
    zq::KeyDownSettings settings;
    zq::KeyDispatcher dispatcher{keys, registry, host};
    zq::KeyDownRouter router{dispatcher, host, settings};

    Fixture() {
        for (ModeGroup g : zq::kAllModeGroups) {
            for (const wchar_t* name : {L"@Copy", L"@Attribute", L"@Quit", L"@Changebinary", L"@Jumpline"}) {
                if (const auto id = zq::FindCommandId(g, name))
                    registry.Register(*id, [this, name](const zq::CommandCall&) { host.log.push_back(name); });
            }
        }
    }
    std::wstring Log() const {
        std::wstring all;
        for (const auto& l : host.log) all += (all.empty() ? L"" : L"; ") + l;
        return all;
    }
};

}  // namespace

TEST(KeyDownRouter, StepsBeforeTheDispatch) {
    struct Case {
        const char* what;
        std::uint32_t mode;
        unsigned vk;
        int modifier;
        bool menuButton, incActive, jumpPending, searchTakes, driveJumpShift, changeDrive;
        KeyOutcome outcome;
        const wchar_t* log;
    };
    const unsigned apps = zq::kVirtualKeyApps, ret = zq::kVirtualKeyReturn;
    const std::uint32_t dir = zq::pane_mode::kDirectory, drives = zq::pane_mode::kDriveList,
                        text = zq::pane_mode::kText;
    const Case cases[] = {
        {"apps opens menus", dir, apps, 0, true, false, false, false, false, false, KeyOutcome::Intercepted,
         L"cancel jump; context menus"},
        {"apps as a key", dir, apps, 0, false, false, false, false, false, false, KeyOutcome::NotConsumed,
         L"cancel jump"},
        {"return", dir, ret, 0, true, false, false, false, false, false, KeyOutcome::Intercepted, L"return"},
        {"return ends search", dir, ret, 0, true, true, false, false, false, false, KeyOutcome::Intercepted,
         L"end search"},
        {"return in viewer", text, ret, 0, true, true, false, false, false, false, KeyOutcome::Intercepted, L"return"},
        {"pending jump", dir, 'T', 0, true, false, true, true, false, false, KeyOutcome::Intercepted, L"jump T"},
        {"pending jump, no record", dir, 0xAD, 0, true, false, true, false, false, false, KeyOutcome::Intercepted,
         L"jump "},
        {"jump only in listings", text, 'B', 0, true, false, true, false, false, false, KeyOutcome::Ran,
         L"@Changebinary"},
        {"search takes key", dir, 'C', 0, true, false, false, true, false, false, KeyOutcome::Intercepted, L"search"},
        {"drive letter, Shift on", drives, 'C', 1, true, false, false, false, true, true, KeyOutcome::Intercepted,
         L"drive C change"},
        {"drive letter, no modifier off", drives, 'C', 0, true, false, false, false, true, false, KeyOutcome::Ran,
         L"@Copy"},
        {"drive jump needs drive list", dir, 'A', 1, true, false, false, false, true, false, KeyOutcome::NotConsumed,
         L""},
        {"plain dispatch", dir, 'A', 0, true, false, false, false, false, false, KeyOutcome::Ran, L"@Attribute"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.host.activeMode = c.mode;
        f.host.incActive = c.incActive;
        f.host.jumpPending = c.jumpPending;
        f.host.searchTakesKeys = c.searchTakes;
        f.settings.enableMenuButton = c.menuButton;
        f.settings.driveListCurJump[zq::kModifierShift] = c.driveJumpShift;
        f.settings.driveListChangeDriveByKey = c.changeDrive;
        EXPECT_EQ(f.router.OnKeyDown(c.vk, c.modifier), c.outcome) << c.what;
        EXPECT_EQ(f.Log(), c.log) << c.what;
    }
}

TEST(KeyDownRouter, SystemKeys) {
    struct Case {
        const char* what;
        unsigned vk;
        bool alt, shift;
        const wchar_t* altBinding;  // Alt+vk in the Filer
        KeyOutcome outcome;
        const wchar_t* log;
    };
    const Case cases[] = {
        {"Alt+C bound", 'C', true, false, L"@Quit", KeyOutcome::Ran, L"@Quit"},
        {"Alt+C free stays with the window", 'C', true, false, L"", KeyOutcome::NotConsumed, L""},
        {"F10 is an ordinary key", 0x79, false, false, L"", KeyOutcome::NotConsumed, L""},
        {"Alt+F10 bound", 0x79, true, false, L"@Copy", KeyOutcome::Ran, L"@Copy"},
        {"Shift+F10 with Alt free", 0x79, true, true, L"", KeyOutcome::Ran, L"@Attribute"},
        {"other system key", 0x12, false, false, L"", KeyOutcome::NotConsumed, L""},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.keys.Set(ModeGroup::Filer, zq::FindKeyIndex(c.vk), zq::kModifierAlt, c.altBinding);
        f.keys.Set(ModeGroup::Filer, zq::FindKeyIndexByName(L"F10"), zq::kModifierShift, L"@Attribute");
        EXPECT_EQ(f.router.OnSystemKeyDown(c.vk, c.alt, c.shift, false), c.outcome) << c.what;
        EXPECT_EQ(f.Log(), c.log) << c.what;
    }
}
