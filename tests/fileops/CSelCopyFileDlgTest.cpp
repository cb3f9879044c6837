#include "fileops/CSelCopyFileDlg.h"

#include <gtest/gtest.h>

#include "filer/DialogAnswer.h"

#include "resource.h"

namespace zq::fileops {
namespace {

void Click(HWND box, int id) {
    ::SendMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

TEST(CSelCopyFileDlgTest, AddsRemovesAndTakesAPatternStillInItsField) {
    CSelCopyFileDlg dialog(nullptr, {}, {L"*.bak", L"*.tmp"});
    std::vector<std::wstring> shownExclude;
    bool openAfterReturn = false;
    // Edits both lists the way a user would, then presses OK.
    const zq::test::DialogAnswer answer(L"ファイル選択", [&](HWND box) {
        HWND exclude = ::GetDlgItem(box, IDC_SELCOPY_EXCLUDE_LIST);
        const LRESULT count = ::SendMessageW(exclude, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[100] = {};
            ::SendMessageW(exclude, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            shownExclude.push_back(text);
        }
        ::SetDlgItemTextW(box, IDC_SELCOPY_INCLUDE_EDIT, L"*.txt; *.doc");
        Click(box, IDC_SELCOPY_INCLUDE_ADD);
        // Return in a field with a pattern adds it instead of closing.
        ::SetDlgItemTextW(box, IDC_SELCOPY_INCLUDE_EDIT, L"*.md");
        ::SetFocus(::GetDlgItem(box, IDC_SELCOPY_INCLUDE_EDIT));
        Click(box, IDOK);
        openAfterReturn = ::IsWindowVisible(box) != FALSE;
        ::SendMessageW(exclude, LB_SETCURSEL, 0, 0);
        Click(box, IDC_SELCOPY_EXCLUDE_DELETE);
        // Typed but not added: OK takes it too.
        ::SetDlgItemTextW(box, IDC_SELCOPY_EXCLUDE_EDIT, L"*.old");
        zq::test::PostClick(box, IDOK);
    });
    const INT_PTR result = dialog.DoModal();
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shownExclude, (std::vector<std::wstring>{L"*.bak", L"*.tmp"}));
    EXPECT_TRUE(openAfterReturn);
    EXPECT_EQ(dialog.Include(), (std::vector<std::wstring>{L"*.txt", L"*.doc", L"*.md"}));
    EXPECT_EQ(dialog.Exclude(), (std::vector<std::wstring>{L"*.tmp", L"*.old"}));
}

}  // namespace
}  // namespace zq::fileops
