#include "settings/CUseriniDlg.h"

#include <gtest/gtest.h>

#include "resource.h"

namespace zq {
namespace {

TEST(CUseriniDlgTest, ShowsAndTakesTheChoices) {
    CUseriniDlg dlg(L"山田", UserIniState{true, L"mine.ini", false});
    ASSERT_TRUE(dlg.Create());
    HWND hWnd = dlg.GetSafeHwnd();
    EXPECT_EQ(dlg.GetDlgItemText(IDC_USERINI_NAME), L"山田");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_USERINI_PATH), L"mine.ini");
    EXPECT_EQ(::SendDlgItemMessageW(hWnd, IDC_USERINI_MODE, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendDlgItemMessageW(hWnd, IDC_USERINI_NOSAVE, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    dlg.SetDlgItemText(IDC_USERINI_PATH, L"D:\\u\\yamada.ini");
    ::SendDlgItemMessageW(hWnd, IDC_USERINI_MODE, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageW(hWnd, IDC_USERINI_NOSAVE, BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.state.path, L"D:\\u\\yamada.ini");
    EXPECT_FALSE(dlg.state.mode);
    EXPECT_TRUE(dlg.state.noSaveAtExit);
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace zq
