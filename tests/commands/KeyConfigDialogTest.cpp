// The dialogs driven through their controls, modeless, as a user would: the
// live settings must change on OK and only then.
#include <gtest/gtest.h>

#include "commands/CKeyConfigDlg.h"
#include "commands/CNotViewMenuDlg.h"
#include "commands/CViewKeyConfigDlg.h"
#include "resource.h"

using zq::KeyAssignments;
using zq::ModeGroup;

namespace {

constexpr auto* Key = &zq::FindKeyIndexByName;

void Command(HWND dialog, int id, WORD code) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Click(HWND dialog, int id) {
    Command(dialog, id, BN_CLICKED);
}

void ChooseListRow(HWND dialog, int id, int row) {
    ::SendDlgItemMessageW(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    Command(dialog, id, LBN_SELCHANGE);
}

void ChooseComboRow(HWND dialog, int id, int row) {
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    Command(dialog, id, CBN_SELCHANGE);
}

void SetCheck(HWND dialog, int id, bool checked) {
    ::SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring ListLine(HWND dialog, int id, int row) {
    const HWND list = ::GetDlgItem(dialog, id);
    const auto length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length < 0) return L"<none>";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The dialog itself is never shown in these tests, so IsWindowVisible would
// say false for every control.
bool Shown(HWND dialog, int id) {
    return (::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring Text(HWND dialog, int id) {
    wchar_t buffer[600] = {};
    ::GetDlgItemTextW(dialog, id, buffer, 600);
    return buffer;
}

}  // namespace

TEST(CKeyConfigDlg, CancelKeepsOkWritesTheFilerKeys) {
    const KeyAssignments builtIn = KeyAssignments::BuiltIn();
    KeyAssignments live = builtIn;
    for (int ok : {0, 1}) {
        zq::CKeyConfigDlg dlg(live, nullptr);
        ASSERT_TRUE(dlg.Create());
        EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_KEYCFG_KEYS, LB_GETCOUNT, 0, 0), 88);
        EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_KEYCFG_CATEGORY, CB_GETCOUNT, 0, 0), 10);
        // Ctrl+C gets a program through the file fields, Q loses its assignment.
        ChooseListRow(dlg, IDC_KEYCFG_KEYS, Key(L"C"));
        EXPECT_EQ(Text(dlg, IDC_KEYCFG_TEXT), L"@Copy");
        SetCheck(dlg, IDC_KEYCFG_MOD_NONE, false);
        SetCheck(dlg, IDC_KEYCFG_MOD_CTRL, true);
        Click(dlg, IDC_KEYCFG_MOD_CTRL);
        EXPECT_EQ(Text(dlg, IDC_KEYCFG_TEXT), L"@Toclipfiles");
        EXPECT_EQ(ListLine(dlg, IDC_KEYCFG_KEYS, Key(L"V")), L"V\t@Fromclipfiles");

        ::SetDlgItemTextW(dlg, IDC_KEYCFG_FILE, L"C:\\Tools\\tool.exe");
        ::SetDlgItemTextW(dlg, IDC_KEYCFG_PARAMS, L"$F");
        Click(dlg, IDC_KEYCFG_SETFILE);
        EXPECT_EQ(ListLine(dlg, IDC_KEYCFG_KEYS, Key(L"C")), L"C\tC:\\Tools\\tool.exe,$F");

        SetCheck(dlg, IDC_KEYCFG_MOD_CTRL, false);
        SetCheck(dlg, IDC_KEYCFG_MOD_NONE, true);
        Click(dlg, IDC_KEYCFG_MOD_NONE);
        ChooseListRow(dlg, IDC_KEYCFG_KEYS, Key(L"Q"));
        Click(dlg, IDC_KEYCFG_CLEAR);
        EXPECT_EQ(ListLine(dlg, IDC_KEYCFG_KEYS, Key(L"Q")), L"Q\t");
        EXPECT_EQ(live, builtIn) << "nothing is written before OK";
        Click(dlg, ok ? IDOK : IDCANCEL);
        EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    }
    EXPECT_EQ(live.Get(ModeGroup::Filer, Key(L"C"), zq::kModifierCtrl), L"C:\\Tools\\tool.exe,$F");
    EXPECT_EQ(live.Get(ModeGroup::Filer, Key(L"Q"), 0), L"");
    EXPECT_EQ(live.Get(ModeGroup::Filer, Key(L"C"), 0), L"@Copy");
    EXPECT_EQ(live.Get(ModeGroup::Viewer, Key(L"Q"), 0), L"@Quit");
}

TEST(CKeyConfigDlg, ChosenKeyShowsItsCommandAndFields) {
    KeyAssignments live = KeyAssignments::BuiltIn();
    live.Set(ModeGroup::Filer, Key(L"F2"), 0, L"@Keyjumpdir D:\\作業");
    zq::CKeyConfigDlg dlg(live, nullptr);
    ASSERT_TRUE(dlg.Create());
    ChooseListRow(dlg, IDC_KEYCFG_KEYS, Key(L"F2"));
    EXPECT_EQ(Text(dlg, IDC_KEYCFG_DIR), L"D:\\作業");
    EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_KEYCFG_CATEGORY, CB_GETCURSEL, 0, 0), 3);  // ドライブ変更
    const auto row = ::SendDlgItemMessageW(dlg, IDC_KEYCFG_COMMANDS, LB_GETCURSEL, 0, 0);
    EXPECT_EQ(ListLine(dlg, IDC_KEYCFG_COMMANDS, static_cast<int>(row)), L"@Keyjumpdir\t特定DIR割り当て");

    // Another directory through the DIR field, then a command picked from a category.
    ::SetDlgItemTextW(dlg, IDC_KEYCFG_DIR, L"E:\\");
    Click(dlg, IDC_KEYCFG_SETDIR);
    EXPECT_EQ(Text(dlg, IDC_KEYCFG_TEXT), L"@Keyjumpdir E:\\");
    ChooseComboRow(dlg, IDC_KEYCFG_CATEGORY, 0);
    ::SendDlgItemMessageW(dlg, IDC_KEYCFG_COMMANDS, LB_SETCURSEL, 1, 0);
    Click(dlg, IDC_KEYCFG_SETCOMMAND);
    EXPECT_EQ(Text(dlg, IDC_KEYCFG_TEXT), L"@Move");
    Click(dlg, IDOK);
    EXPECT_EQ(live.Get(ModeGroup::Filer, Key(L"F2"), 0), L"@Move");
}

TEST(CViewKeyConfigDlg, EditsOnlyItsModeAndWritesOnOk) {
    const KeyAssignments builtIn = KeyAssignments::BuiltIn();
    KeyAssignments live = builtIn;
    zq::CViewKeyConfigDlg dlg(live, ModeGroup::Graphic, nullptr);
    ASSERT_TRUE(dlg.Create());
    wchar_t caption[64] = {};
    ::GetWindowTextW(dlg, caption, 64);
    EXPECT_STREQ(caption, L"画像キー設定");
    EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_KEYCFG_CATEGORY, CB_GETCOUNT, 0, 0), 6);

    ChooseListRow(dlg, IDC_KEYCFG_KEYS, Key(L"Q"));
    EXPECT_EQ(Text(dlg, IDC_KEYCFG_TEXT), L"@Quit");
    Click(dlg, IDC_KEYCFG_CLEAR);  // なにもしない
    ChooseListRow(dlg, IDC_KEYCFG_KEYS, Key(L"H"));
    ChooseComboRow(dlg, IDC_KEYCFG_CATEGORY, 0);
    ::SendDlgItemMessageW(dlg, IDC_KEYCFG_COMMANDS, LB_SETCURSEL, 0, 0);
    Command(dlg, IDC_KEYCFG_COMMANDS, LBN_DBLCLK);
    EXPECT_EQ(ListLine(dlg, IDC_KEYCFG_KEYS, Key(L"H")), L"H\t@Zoomin");
    EXPECT_EQ(live, builtIn);

    Click(dlg, IDOK);
    EXPECT_EQ(live.Get(ModeGroup::Graphic, Key(L"Q"), 0), L"");
    EXPECT_EQ(live.Get(ModeGroup::Graphic, Key(L"H"), 0), L"@Zoomin");
    EXPECT_EQ(live.Get(ModeGroup::Viewer, Key(L"Q"), 0), L"@Quit");
    EXPECT_EQ(live.Get(ModeGroup::Filer, Key(L"Q"), 0), L"@Quit");
}

TEST(CNotViewMenuDlg, ChecksFollowTheChosenModeAndOkWrites) {
    zq::HiddenMenuFlags live;
    live.SetHidden(4, 1, true);
    const zq::HiddenMenuFlags before = live;
    for (int ok : {0, 1}) {
        zq::CNotViewMenuDlg dlg(live, nullptr);
        ASSERT_TRUE(dlg.Create());
        EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_NVM_MODES, LB_GETCOUNT, 0, 0), 7);
        // The plug-in popup of the Filer bar is always removed: checked and fixed.
        EXPECT_EQ(Text(dlg, IDC_NVM_POPUP0 + 3), L"プラグイン(&I)");
        EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_NVM_POPUP0 + 3, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, IDC_NVM_POPUP0 + 3)));
        EXPECT_TRUE(Shown(dlg, IDC_NVM_POPUP0 + 7));

        SetCheck(dlg, IDC_NVM_POPUP0 + 6, true);
        Click(dlg, IDC_NVM_POPUP0 + 6);
        ChooseListRow(dlg, IDC_NVM_MODES, 4);  // the text viewer's bar has seven popups
        EXPECT_EQ(Text(dlg, IDC_NVM_POPUP0 + 1), L"文字列の検索(&C)");
        EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_NVM_POPUP0 + 1, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_FALSE(Shown(dlg, IDC_NVM_POPUP0 + 7));
        SetCheck(dlg, IDC_NVM_POPUP0 + 1, false);
        Click(dlg, IDC_NVM_POPUP0 + 1);
        EXPECT_EQ(live, before) << "nothing is written before OK";
        Click(dlg, ok ? IDOK : IDCANCEL);
    }
    EXPECT_TRUE(live.Hidden(0, 6));
    EXPECT_FALSE(live.Hidden(4, 1));
    EXPECT_FALSE(live.Hidden(1, 6));
}
