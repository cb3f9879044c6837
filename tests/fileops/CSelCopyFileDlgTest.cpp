#include "fileops/CSelCopyFileDlg.h"

#include <gtest/gtest.h>

#include "main/OwnWindows.h"

#include "resource.h"

namespace zq::fileops {
namespace {

bool g_seen = false;
bool g_openAfterReturn = false;
std::vector<std::wstring> g_shownExclude;

void Click(HWND box, int id) {
    ::SendMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// Edits both lists the way a user would, then presses OK.
VOID CALLBACK EditLists(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = zq::test::FindOwnWindow(L"#32770", L"ファイル選択");
    if (!box || !::IsWindowVisible(box)) return;
    ::KillTimer(nullptr, id);
    g_seen = true;
    HWND exclude = ::GetDlgItem(box, IDC_SELCOPY_EXCLUDE_LIST);
    const LRESULT count = ::SendMessageW(exclude, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[100] = {};
        ::SendMessageW(exclude, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        g_shownExclude.push_back(text);
    }
    ::SetDlgItemTextW(box, IDC_SELCOPY_INCLUDE_EDIT, L"*.txt; *.doc");
    Click(box, IDC_SELCOPY_INCLUDE_ADD);
    // Return in a field with a pattern adds it instead of closing.
    ::SetDlgItemTextW(box, IDC_SELCOPY_INCLUDE_EDIT, L"*.md");
    ::SetFocus(::GetDlgItem(box, IDC_SELCOPY_INCLUDE_EDIT));
    Click(box, IDOK);
    g_openAfterReturn = ::IsWindowVisible(box) != FALSE;
    ::SendMessageW(exclude, LB_SETCURSEL, 0, 0);
    Click(box, IDC_SELCOPY_EXCLUDE_DELETE);
    // Typed but not added: OK takes it too.
    ::SetDlgItemTextW(box, IDC_SELCOPY_EXCLUDE_EDIT, L"*.old");
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST(CSelCopyFileDlgTest, AddsRemovesAndTakesAPatternStillInItsField) {
    CSelCopyFileDlg dialog(nullptr, {}, {L"*.bak", L"*.tmp"});
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, EditLists);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    ASSERT_TRUE(g_seen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(g_shownExclude, (std::vector<std::wstring>{L"*.bak", L"*.tmp"}));
    EXPECT_TRUE(g_openAfterReturn);
    EXPECT_EQ(dialog.Include(), (std::vector<std::wstring>{L"*.txt", L"*.doc", L"*.md"}));
    EXPECT_EQ(dialog.Exclude(), (std::vector<std::wstring>{L"*.tmp", L"*.old"}));
}

}  // namespace
}  // namespace zq::fileops
