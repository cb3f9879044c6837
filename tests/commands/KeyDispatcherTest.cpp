#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/CommandText.h"
#include "commands/KeyDispatcher.h"
#include "commands/ModeMasks.h"
#include "resource.h"

using zq::KeyOutcome;
using zq::ModeGroup;

namespace {

struct FakeHost : zq::IKeyDispatchHost {
    std::uint32_t shownModes = zq::pane_mode::kDirectory;  // OR of the shown panes' mode bits
    std::uint32_t focusedMode = 0;                         // 0: the focused pane is in no group
    bool pluginKnown = true;
    std::vector<std::wstring> log;

    bool ShownPaneInMode(std::uint32_t mask) const override { return (shownModes & mask) != 0; }
    bool ActivePaneInMode(std::uint32_t mask) const override { return (focusedMode & mask) != 0; }
    void HideToTaskTray(int modifier, unsigned vk) override {
        log.push_back(L"tray " + std::to_wstring(modifier) + L" " + std::to_wstring(vk));
    }
    bool RunPluginCommand(std::wstring_view text) override {
        log.push_back(L"plugin " + std::wstring(text));
        return pluginKnown;
    }
    void RunProgram(const zq::ProgramCall& c) override {
        log.push_back((c.throughAssociation ? L"assoc [" : L"program [") + c.program + L"] [" + c.parameters + L"]");
    }
};

// Every handler writes "<mode> <name> [<argument>]" into the log.
struct Fixture {
    zq::KeyAssignments keys = zq::KeyAssignments::BuiltIn();
    zq::CommandRegistry registry;
    FakeHost host;
    zq::KeyDispatcher dispatcher{keys, registry, host};

    zq::CommandHandler Recorder(const wchar_t* tag) {
        return [this, tag](const zq::CommandCall& c) {
            host.log.push_back(std::wstring(tag) + L" " + std::wstring(c.name) + L" [" + std::wstring(c.argument) +
                               L"]");
        };
    }
    void Bind(ModeGroup g, const wchar_t* key, int modifier, const wchar_t* text) {
        keys.Set(g, zq::FindKeyIndexByName(key), modifier, text);
    }
    std::wstring Last() const { return host.log.empty() ? L"" : host.log.back(); }
};

}  // namespace

TEST(KeyDispatcher, QuitKeyByModeOfTheShownPanes) {
    struct Case {
        std::uint32_t shownModes;
        KeyOutcome outcome;
        const wchar_t* log;
    };
    const Case cases[] = {
        {zq::pane_mode::kDirectory, KeyOutcome::Ran, L"F @Quit []"},
        {zq::pane_mode::kNetwork, KeyOutcome::Ran, L"F @Quit []"},
        {zq::pane_mode::kText, KeyOutcome::Ran, L"V @Quit []"},
        {zq::pane_mode::kArchivePicture, KeyOutcome::Ran, L"G @Quit []"},
        {zq::pane_mode::kBinary, KeyOutcome::NotConsumed, L""},
        // Order of the groups: Filer, Viewer, BinaryEditor, Graphic.
        {zq::pane_mode::kText | zq::pane_mode::kDirectory, KeyOutcome::Ran, L"F @Quit []"},
        {zq::pane_mode::kPicture | zq::pane_mode::kBinary, KeyOutcome::NotConsumed, L""},
        {zq::pane_mode::kPicture | zq::pane_mode::kArchiveText, KeyOutcome::Ran, L"V @Quit []"},
        // The listing-kind bit belongs to the Filer for menus, not for keys.
        {zq::pane_mode::kListing, KeyOutcome::Consumed, L""},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.registry.Register(zq::cmd::filer::Quit, f.Recorder(L"F"));
        f.registry.Register(zq::cmd::viewer::Quit, f.Recorder(L"V"));
        f.registry.Register(zq::cmd::graphic::Quit, f.Recorder(L"G"));
        f.registry.Register(zq::cmd::binary_editor::Quit, f.Recorder(L"B"));
        f.host.shownModes = c.shownModes;
        EXPECT_EQ(f.dispatcher.Dispatch('Q', zq::kModifierNone), c.outcome) << c.shownModes;
        EXPECT_EQ(f.Last(), c.log) << c.shownModes;
    }
}

TEST(KeyDispatcher, TheFocusedPaneChoosesTheKeysBesideAnotherMode) {
    struct Case {
        std::uint32_t focusedMode;
        std::uint32_t otherMode;
        KeyOutcome outcome;
        const wchar_t* log;
    };
    const Case cases[] = {
        {zq::pane_mode::kText, zq::pane_mode::kDirectory, KeyOutcome::Ran, L"V @Clipcopy []"},
        {zq::pane_mode::kDirectory, zq::pane_mode::kText, KeyOutcome::Ran, L"F @Toclipfiles []"},
        {zq::pane_mode::kBinary, zq::pane_mode::kDirectory, KeyOutcome::Ran, L"B @Copydata []"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.registry.Register(zq::cmd::filer::Toclipfiles, f.Recorder(L"F"));
        f.registry.Register(zq::cmd::viewer::Clipcopy, f.Recorder(L"V"));
        f.registry.Register(zq::cmd::binary_editor::Copydata, f.Recorder(L"B"));
        f.host.shownModes = c.focusedMode | c.otherMode;
        f.host.focusedMode = c.focusedMode;
        EXPECT_EQ(f.dispatcher.Dispatch('C', zq::kModifierCtrl), c.outcome) << c.focusedMode;
        EXPECT_EQ(f.Last(), c.log) << c.focusedMode;
    }
}

TEST(KeyDispatcher, ShiftWinsOverCtrl) {
    Fixture f;
    f.registry.Register(zq::cmd::filer::Move, f.Recorder(L"F"));
    f.registry.Register(zq::cmd::filer::Toclipfiles, f.Recorder(L"F"));
    f.Bind(ModeGroup::Filer, L"C", zq::kModifierShift, L"@Move");
    EXPECT_EQ(zq::ModifierIndex(true, true), zq::kModifierShift);
    EXPECT_EQ(zq::ModifierIndex(false, true), zq::kModifierCtrl);
    EXPECT_EQ(zq::ModifierIndex(false, false), zq::kModifierNone);
    EXPECT_EQ(f.dispatcher.Dispatch('C', zq::ModifierIndex(true, true)), KeyOutcome::Ran);
    EXPECT_EQ(f.Last(), L"F @Move []");
}

TEST(KeyDispatcher, FilerAssignmentForms) {
    struct Case {
        const wchar_t* text;
        KeyOutcome outcome;
        const wchar_t* log;
    };
    const Case cases[] = {
        {L"notepad.exe,readme.txt", KeyOutcome::Ran, L"program [notepad.exe] [readme.txt]"},
        {L"C:\\Program Files\\a.exe,-x,-y", KeyOutcome::Ran, L"program [C:\\Program Files\\a.exe] [-x,-y]"},
        {L"calc.exe", KeyOutcome::Ran, L"program [calc.exe] []"},
        {L"@Defaultexe C:\\My Tools\\b.exe,$F", KeyOutcome::Ran, L"assoc [C:\\My Tools\\b.exe] [$F]"},
        {L"@Keyjumpdir C:\\Work Dir", KeyOutcome::Ran, L"F @Keyjumpdir [C:\\Work Dir]"},
        {L"#SORT,sorter.dll", KeyOutcome::Ran, L"plugin #SORT,sorter.dll"},
        {L"@Windowtotasktray", KeyOutcome::Ran, L"tray 3 84"},
        {L"@Defaultcpl 画面", KeyOutcome::Ran, L"C @Defaultcpl [画面]"},
        // Commands are compared exactly: a wrongly cased word is no command and is not run as a program.
        {L"@keyjumpdir C:\\", KeyOutcome::Consumed, L""},
        {L"@Nosuchcommand", KeyOutcome::Consumed, L""},
        // A Filer command that nothing registered yet: taken, nothing runs.
        {L"@Copy", KeyOutcome::NoHandler, L""},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.registry.Register(zq::cmd::filer::Keyjumpdir, f.Recorder(L"F"));
        f.registry.RegisterCommon(zq::cmd::common::Defaultcpl, f.Recorder(L"C"));
        f.Bind(ModeGroup::Filer, L"T", zq::kModifierAlt, c.text);
        EXPECT_EQ(f.dispatcher.Dispatch('T', zq::kModifierAlt), c.outcome) << c.text;
        EXPECT_EQ(f.Last(), c.log) << c.text;
    }
}

TEST(KeyDispatcher, OtherModesOnlyAskTheirRoutine) {
    struct Case {
        const wchar_t* text;
        KeyOutcome outcome;
        const wchar_t* log;
    };
    const Case cases[] = {
        {L"notepad.exe,x", KeyOutcome::Consumed, L""},
        {L"#SORT,sorter.dll", KeyOutcome::Consumed, L""},
        {L"@Copy", KeyOutcome::Consumed, L""},  // a Filer command, not the Viewer's
        {L"@Displayset3", KeyOutcome::Ran, L"C @Displayset3 []"},
        {L"@Wide", KeyOutcome::Ran, L"V @Wide []"},
        {L"@Windowtotasktray", KeyOutcome::Ran, L"tray 0 84"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.host.shownModes = zq::pane_mode::kText;
        f.registry.RegisterCommon(zq::cmd::common::Displayset3, f.Recorder(L"C"));
        f.registry.RegisterCommon(zq::cmd::filer::Wide, f.Recorder(L"C"));
        f.registry.Register(zq::cmd::viewer::Wide, f.Recorder(L"V"));  // the mode's own wins
        f.Bind(ModeGroup::Viewer, L"T", zq::kModifierNone, c.text);
        EXPECT_EQ(f.dispatcher.Dispatch('T', zq::kModifierNone), c.outcome) << c.text;
        EXPECT_EQ(f.Last(), c.log) << c.text;
    }
}

TEST(KeyDispatcher, KeysThatAreNotTaken) {
    Fixture f;
    f.registry.Register(zq::cmd::filer::Copy, f.Recorder(L"F"));
    EXPECT_EQ(f.dispatcher.Dispatch(0xAD, zq::kModifierNone), KeyOutcome::NotConsumed);  // no record
    EXPECT_EQ(f.dispatcher.Dispatch('Z', zq::kModifierNone), KeyOutcome::NotConsumed);   // unassigned
    EXPECT_EQ(f.dispatcher.Dispatch('C', 4), KeyOutcome::Consumed);                      // beyond Alt
    f.host.shownModes = 0;
    EXPECT_EQ(f.dispatcher.Dispatch('C', zq::kModifierNone), KeyOutcome::Consumed);  // no mode group
    EXPECT_TRUE(f.host.log.empty());
}

TEST(CommandRegistry, MenuItemAndCommandShareOneHandler) {
    Fixture f;
    f.registry.RegisterMenu(IDM_FILERKEY, f.Recorder(L"M"));
    EXPECT_EQ(f.registry.Route(ModeGroup::Filer, L"@Filerkey"), zq::RouteResult::Ran);
    EXPECT_EQ(f.Last(), L"M @Filerkey []");

    f.registry.Register(zq::cmd::filer::Copy, f.Recorder(L"F"));
    EXPECT_EQ(f.registry.RunMenu(ModeGroup::Filer, IDM_COPY), zq::RouteResult::Ran);
    EXPECT_EQ(f.Last(), L"F @Copy []");
    // @Copy has no row in the Viewer table, so its menu item means nothing there.
    EXPECT_EQ(f.registry.RunMenu(ModeGroup::Viewer, IDM_COPY), zq::RouteResult::NotACommand);
    EXPECT_EQ(f.registry.RunMenu(ModeGroup::Filer, IDM_MOVE), zq::RouteResult::NoHandler);
    // A handler registered empty counts as none.
    f.registry.Register(zq::cmd::filer::Move, nullptr);
    EXPECT_EQ(f.registry.Route(ModeGroup::Filer, L"@Move"), zq::RouteResult::NoHandler);
    EXPECT_EQ(f.registry.Route(ModeGroup::Filer, L""), zq::RouteResult::NotACommand);
    EXPECT_EQ(f.registry.Route(ModeGroup::Viewer, L"@MciCdVolumeUp"), zq::RouteResult::NoHandler);
}

TEST(CommandIds, NameTheRowsTheyWereMadeFrom) {
    // Every identifier and its row come from the same line; a table whose
    // rows were reordered apart from the identifiers would show here.
    for (ModeGroup group : zq::kAllModeGroups) {
        const auto rows = zq::CommandTableOf(group).commands;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const zq::CommandId id{group, static_cast<std::uint16_t>(i)};
            EXPECT_EQ(zq::CommandName(id), rows[i].name);
            EXPECT_EQ(zq::FindCommandId(group, rows[i].name), id) << rows[i].name;
        }
    }
    const struct {
        zq::CommandId id;
        const wchar_t* name;
    } cases[] = {
        {zq::cmd::filer::Copy, L"@Copy"},
        {zq::cmd::viewer::Changebinary, L"@Changebinary"},
        {zq::cmd::graphic::Num180Rot, L"@180Rot"},  // a word that is not an identifier
        {zq::cmd::binary_editor::Jumpline, L"@Jumpline"},
    };
    for (const auto& c : cases) EXPECT_EQ(zq::CommandName(c.id), c.name);
    EXPECT_EQ(zq::CommandName(zq::cmd::common::MciCdVolumeUp), L"@MciCdVolumeUp");
    EXPECT_EQ(zq::FindCommonCommandId(L"@Defaultcpl"), zq::cmd::common::Defaultcpl);
    EXPECT_FALSE(zq::FindCommandId(ModeGroup::Filer, L"@copy").has_value());  // exact, as dispatch compares
    EXPECT_FALSE(zq::FindCommandId(ModeGroup::Viewer, L"@Copy").has_value());
    EXPECT_FALSE(zq::FindCommonCommandId(L"@Quit").has_value());
}

TEST(CommandText, ParsesEveryForm) {
    struct Case {
        const wchar_t* text;
        zq::AssignmentForm form;
        const wchar_t* word;
        const wchar_t* argument;
        const wchar_t* program;
        const wchar_t* parameters;
    };
    using F = zq::AssignmentForm;
    const Case cases[] = {
        {L"", F::Empty, L"", L"", L"", L""},
        {L"@Copy", F::Command, L"@Copy", L"", L"", L""},
        {L"@Keyjumpdir D:\\a b", F::Command, L"@Keyjumpdir", L"D:\\a b", L"", L""},
        {L"@Defaultexe x.exe,a,b", F::DefaultExe, L"@Defaultexe", L"", L"x.exe", L"a,b"},
        {L"@Defaultexe x.exe", F::DefaultExe, L"@Defaultexe", L"", L"x.exe", L""},
        {L"@Windowtotasktray", F::TaskTray, L"@Windowtotasktray", L"", L"", L""},
        {L"#A,b.dll", F::Plugin, L"", L"", L"", L""},
        {L"a.exe,", F::Program, L"", L"", L"a.exe", L""},
        {L",p", F::Program, L"", L"", L"", L"p"},
    };
    for (const Case& c : cases) {
        const zq::ParsedAssignment p = zq::ParseAssignment(c.text);
        EXPECT_EQ(p.form, c.form) << c.text;
        EXPECT_EQ(p.word, c.word) << c.text;
        EXPECT_EQ(p.argument, c.argument) << c.text;
        EXPECT_EQ(p.program, c.program) << c.text;
        EXPECT_EQ(p.parameters, c.parameters) << c.text;
    }
    EXPECT_EQ(zq::DefaultCplText(L"マウス"), L"@Defaultcpl マウス");
}
