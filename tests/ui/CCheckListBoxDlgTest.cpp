#include "ui/CCheckListBoxDlg.h"

#include <gtest/gtest.h>

#include "main/OwnWindows.h"

#include <commctrl.h>

#include "resource.h"

namespace {

// What the timer saw in the open dialog, and what it did.
struct Script {
    int toggle = -1;  // the line whose box is clicked, -1 for none
    int button = IDOK;
    bool seen = false;
    std::wstring title;
    std::vector<std::wstring> lines;
    std::vector<bool> shownChecks;
};
Script g_script;

VOID CALLBACK Answer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = zq::test::FindOwnWindow(L"#32770", L"コピーしないときの処理");
    HWND list = box ? ::GetDlgItem(box, IDC_CHECKLIST_LIST) : nullptr;
    if (!list || !::IsWindowVisible(box)) return;
    ::KillTimer(nullptr, id);
    g_script.seen = true;
    wchar_t text[200] = {};
    ::GetWindowTextW(box, text, 200);
    g_script.title = text;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        ListView_GetItemText(list, i, 0, text, 200);
        g_script.lines.push_back(text);
        g_script.shownChecks.push_back(ListView_GetCheckState(list, i) != 0);
    }
    if (g_script.toggle >= 0)
        ListView_SetCheckState(list, g_script.toggle, !ListView_GetCheckState(list, g_script.toggle));
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_script.button, BN_CLICKED), 0);
}

TEST(CCheckListBoxDlg, ShowsTheFlagsAndWritesThemBackOnlyOnOk) {
    struct Case {
        std::vector<bool> before;
        int toggle;
        int button;
        std::vector<bool> shown;
        std::vector<bool> after;
    };
    const Case cases[] = {
        {{false, true}, 0, IDOK, {false, true}, {true, true}},
        {{true, true}, 1, IDOK, {true, true}, {true, false}},
        {{false, true}, 0, IDCANCEL, {false, true}, {false, true}},
        {{}, -1, IDOK, {false, false}, {false, false}},  // missing flags read as unchecked
    };
    for (const Case& c : cases) {
        std::vector<bool> checks = c.before;
        zq::ui::CCheckListBoxDlg dialog(nullptr, L"コピーしないときの処理", {L"属性をコピーする", L"日時をコピーする"},
                                        checks);
        g_script = Script{c.toggle, c.button};
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Answer);
        const INT_PTR result = dialog.DoModal();
        ::KillTimer(nullptr, timer);
        ASSERT_TRUE(g_script.seen);
        EXPECT_EQ(result, c.button);
        EXPECT_EQ(g_script.title, L"コピーしないときの処理");
        EXPECT_EQ(g_script.lines, (std::vector<std::wstring>{L"属性をコピーする", L"日時をコピーする"}));
        EXPECT_EQ(g_script.shownChecks, c.shown);
        EXPECT_EQ(checks, c.after);
    }
}

}  // namespace
