#include <gtest/gtest.h>

#include <string>

#include "commands/CommandTable.h"
#include "commands/KeyConfigEditor.h"

using zq::AssignmentProblem;
using zq::KeyAssignments;
using zq::KeyConfigEditor;
using zq::ModeGroup;

// Key indices by their names in the key table.
constexpr auto* Key = &zq::FindKeyIndexByName;

TEST(KeyConfigEditor, EditsWithoutApplyLeaveTheOriginalUntouched) {
    const KeyAssignments original = KeyAssignments::BuiltIn();
    KeyAssignments live = original;
    {
        KeyConfigEditor editor(live, ModeGroup::Filer);
        editor.Select(Key(L"C"), zq::kModifierNone);
        EXPECT_EQ(editor.AssignCommand(L"@Move"), AssignmentProblem::None);
        editor.Select(Key(L"Q"), zq::kModifierNone);
        editor.Clear();
        EXPECT_TRUE(editor.Changed(live));
        EXPECT_EQ(editor.Edited().Get(ModeGroup::Filer, Key(L"C"), 0), L"@Move");
    }  // the dialog was cancelled: the editor goes away unapplied
    EXPECT_EQ(live, original);
}

TEST(KeyConfigEditor, ApplyWritesTheEditedModeOnly) {
    KeyAssignments live = KeyAssignments::BuiltIn();
    KeyConfigEditor editor(live, ModeGroup::Viewer);
    editor.Select(Key(L"Q"), zq::kModifierShift);
    ASSERT_EQ(editor.AssignCommand(L"@Closeviewer"), AssignmentProblem::None);
    editor.Select(Key(L"ESCAPE"), zq::kModifierNone);
    editor.Clear();

    // Something else changed the Filer keys while the dialog was open; writing
    // back the Viewer keys must not undo that.
    live.Set(ModeGroup::Filer, Key(L"Z"), 0, L"@Wide");
    editor.ApplyTo(live);

    EXPECT_EQ(live.Get(ModeGroup::Viewer, Key(L"Q"), zq::kModifierShift), L"@Closeviewer");
    EXPECT_EQ(live.Get(ModeGroup::Viewer, Key(L"ESCAPE"), 0), L"");
    EXPECT_EQ(live.Get(ModeGroup::Viewer, Key(L"Q"), 0), L"@Quit");
    EXPECT_EQ(live.Get(ModeGroup::Filer, Key(L"Z"), 0), L"@Wide");
    EXPECT_FALSE(editor.Changed(live));
}

TEST(KeyConfigEditor, ChecksTextsByMode) {
    struct Case {
        ModeGroup group;
        const wchar_t* text;
        AssignmentProblem expected;
    };
    const Case cases[] = {
        {ModeGroup::Filer, L"", AssignmentProblem::None},
        {ModeGroup::Filer, L"@Copy", AssignmentProblem::None},
        {ModeGroup::Filer, L"@copy", AssignmentProblem::UnknownCommand},  // dispatch compares exactly
        {ModeGroup::Filer, L"@Nosuchcommand", AssignmentProblem::UnknownCommand},
        {ModeGroup::Filer, L"@Keyjumpdir C:\\Tools", AssignmentProblem::None},
        {ModeGroup::Filer, L"@Keyjumpdir", AssignmentProblem::MissingArgument},
        {ModeGroup::Filer, L"@Keyjumpdir  ", AssignmentProblem::MissingArgument},
        {ModeGroup::Filer, L"@Defaultexe notepad.exe,$F", AssignmentProblem::None},
        {ModeGroup::Filer, L"@Defaultexe", AssignmentProblem::MissingArgument},
        {ModeGroup::Filer, L"@Defaultcpl 画面", AssignmentProblem::None},
        {ModeGroup::Filer, L"@Windowtotasktray", AssignmentProblem::None},
        {ModeGroup::Filer, L"#KEY,plugin.dll", AssignmentProblem::None},
        {ModeGroup::Filer, L"notepad.exe,$F", AssignmentProblem::None},
        {ModeGroup::Viewer, L"@Closeviewer", AssignmentProblem::None},
        {ModeGroup::Viewer, L"@Windowtotasktray", AssignmentProblem::None},
        {ModeGroup::Viewer, L"@Defaultcpl 画面", AssignmentProblem::None},
        {ModeGroup::Viewer, L"@Copy", AssignmentProblem::NotInThisMode},
        {ModeGroup::Viewer, L"@Defaultexe a.exe", AssignmentProblem::NotInThisMode},
        {ModeGroup::Viewer, L"notepad.exe", AssignmentProblem::NotInThisMode},
        {ModeGroup::Graphic, L"#KEY,plugin.dll", AssignmentProblem::NotInThisMode},
        {ModeGroup::Graphic, L"@Zoomin", AssignmentProblem::None},
        {ModeGroup::BinaryEditor, L"@AllSelect", AssignmentProblem::UnknownCommand},
        {ModeGroup::BinaryEditor, L"@Binaryallselect", AssignmentProblem::None},
    };
    const KeyAssignments keys;
    for (const Case& c : cases) {
        KeyConfigEditor editor(keys, c.group);
        EXPECT_EQ(editor.Check(c.text), c.expected) << static_cast<int>(c.group) << " " << std::wstring(c.text);
    }
}

TEST(KeyConfigEditor, RefusedTextKeepsTheSlot) {
    KeyConfigEditor editor(KeyAssignments::BuiltIn(), ModeGroup::Graphic);
    editor.Select(Key(L"Q"), zq::kModifierNone);
    EXPECT_EQ(editor.AssignText(L"notepad.exe"), AssignmentProblem::NotInThisMode);
    EXPECT_EQ(editor.AssignCommand(L"@Nothing"), AssignmentProblem::UnknownCommand);
    EXPECT_EQ(editor.Current(), L"@Quit");
}

TEST(KeyConfigEditor, FieldFormsReadBackAsTheSameParts) {
    KeyConfigEditor editor(KeyAssignments(), ModeGroup::Filer);
    editor.Select(Key(L"F5"), zq::kModifierCtrl);

    ASSERT_EQ(editor.AssignProgram(L"C:\\Tools\\a b.exe", L"-x,$F"), AssignmentProblem::None);
    EXPECT_EQ(editor.Current(), L"C:\\Tools\\a b.exe,-x,$F");
    auto parts = editor.CurrentParts();
    EXPECT_EQ(parts.form, zq::AssignmentForm::Program);
    EXPECT_EQ(parts.program, L"C:\\Tools\\a b.exe");
    EXPECT_EQ(parts.parameters, L"-x,$F");

    ASSERT_EQ(editor.AssignDefaultExe(L"readme.txt", L""), AssignmentProblem::None);
    EXPECT_EQ(editor.Current(), L"@Defaultexe readme.txt");
    parts = editor.CurrentParts();
    EXPECT_EQ(parts.form, zq::AssignmentForm::DefaultExe);
    EXPECT_EQ(parts.program, L"readme.txt");

    ASSERT_EQ(editor.AssignKeyJumpDir(L"D:\\作業 フォルダ"), AssignmentProblem::None);
    parts = editor.CurrentParts();
    EXPECT_EQ(parts.word, L"@Keyjumpdir");
    EXPECT_EQ(parts.argument, L"D:\\作業 フォルダ");

    // A program the dispatcher would cut at its comma, or read as a command.
    EXPECT_EQ(editor.AssignProgram(L"C:\\a,b.exe", L""), AssignmentProblem::CommaInProgram);
    EXPECT_EQ(editor.AssignDefaultExe(L"a,b.txt", L"x"), AssignmentProblem::CommaInProgram);
    EXPECT_EQ(editor.AssignProgram(L"@tool.exe", L""), AssignmentProblem::UnknownCommand);
    EXPECT_EQ(editor.AssignProgram(L"", L"-x"), AssignmentProblem::MissingArgument);
    EXPECT_EQ(editor.Current(), L"@Keyjumpdir D:\\作業 フォルダ");
}

TEST(KeyConfigEditor, KeyListShowsTheEditedModifier) {
    KeyConfigEditor editor(KeyAssignments::BuiltIn(), ModeGroup::Filer);
    auto lines = editor.KeyListLines();
    ASSERT_EQ(lines.size(), 88u);
    EXPECT_EQ(lines[Key(L"C")], L"C\t@Copy");
    EXPECT_EQ(lines[Key(L"ESCAPE")], L"ESCAPE\t@Quit");
    EXPECT_EQ(lines[Key(L"H")], L"H\t");

    editor.Select(Key(L"C"), zq::kModifierCtrl);
    EXPECT_EQ(editor.KeyListLine(Key(L"C")), L"C\t@Toclipfiles");
    ASSERT_EQ(editor.AssignCommand(L"@Cliptofullpath"), AssignmentProblem::None);
    EXPECT_EQ(editor.KeyListLines()[Key(L"C")], L"C\t@Cliptofullpath");
    editor.Select(Key(L"C"), zq::kModifierNone);
    EXPECT_EQ(editor.KeyListLine(Key(L"C")), L"C\t@Copy");
}

TEST(KeyConfigEditor, EveryCommandIsFoundAgainInItsCategoryList) {
    for (ModeGroup group : zq::kAllModeGroups) {
        KeyConfigEditor editor(KeyAssignments(), group);
        const auto categories = editor.CategoryNames();
        ASSERT_FALSE(categories.empty());
        std::size_t listed = 0;
        for (int cat = 0; cat < static_cast<int>(categories.size()); ++cat) {
            const auto lines = editor.CommandLines(cat);
            listed += lines.size();
            for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
                const std::wstring name = editor.CommandAt(cat, row);
                EXPECT_EQ(lines[row].substr(0, lines[row].find(L'\t')), name);
                const zq::CommandPosition pos = editor.PositionOf(name + L" argument");
                EXPECT_EQ(pos.category, cat) << name;
                EXPECT_EQ(pos.row, row) << name;
            }
        }
        // A category index outside the names would hide its commands from the dialog.
        EXPECT_EQ(listed, zq::CommandTableOf(group).commands.size()) << static_cast<int>(group);
    }
    KeyConfigEditor filer(KeyAssignments(), ModeGroup::Filer);
    EXPECT_EQ(filer.CategoryNames().front(), L"ファイル操作関係");
    EXPECT_EQ(filer.CommandLines(0).front(), L"@Copy\tファイルコピー");
    EXPECT_EQ(filer.PositionOf(L"notepad.exe").category, -1);
    EXPECT_EQ(filer.CommandAt(0, 10000), L"");
    EXPECT_EQ(KeyConfigEditor(KeyAssignments(), ModeGroup::Graphic).CategoryNames().front(), L"通常操作関係");
}
