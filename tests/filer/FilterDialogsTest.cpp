// The filter dialogs over their forms: templates, labels, and the boxes they
// raise, driven through their controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filer/CDispFileSettingDlg.h"
#include "filer/CFindOptionDlg.h"
#include "resource.h"

namespace {

using namespace zq;

// The message boxes raised while a control is clicked: their caption and
// text, each closed with OK.
struct BoxLog {
    HWND dialog = nullptr;
    std::vector<std::wstring> captions;
    std::vector<std::wstring> texts;
};
BoxLog g_boxes;

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (window == g_boxes.dialog || std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    wchar_t caption[64] = {};
    ::GetDlgItemTextW(window, 0xFFFF, text, 256);
    ::GetWindowTextW(window, caption, 64);
    g_boxes.texts.push_back(text);
    g_boxes.captions.push_back(caption);
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
}

VOID CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseBox, 0);
}

// Clicks a button of `dialog`, answering any box it raises.
void Click(HWND dialog, int id) {
    g_boxes.dialog = dialog;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerBoxes);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    ::KillTimer(nullptr, timer);
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

void ChooseInList(HWND dialog, int id, int index) {
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool Checked(HWND dialog, int id) {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

TEST(FilterDialogs, FindOptionComplainsAndStaysOpen) {
    g_boxes = {};
    FileConditions initial;
    CFindOptionDlg dialog(nullptr, initial);
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.GetSafeHwnd();
    EXPECT_EQ(ItemText(hwnd, IDC_OPT_SIZE_FROM_LABEL), L"Byteから");
    ChooseInList(hwnd, IDC_OPT_SIZE_UNIT, kUnitKByte);
    EXPECT_EQ(ItemText(hwnd, IDC_OPT_SIZE_FROM_LABEL), L"KByteから");
    EXPECT_EQ(ItemText(hwnd, IDC_OPT_SIZE_TO_LABEL), L"KByteまで");
    // A range not in use is greyed until its box is ticked.
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hwnd, IDC_OPT_ACCESS_FROM_DATE)));
    ::CheckDlgButton(hwnd, IDC_OPT_USE_ACCESS, BST_CHECKED);
    Click(hwnd, IDC_OPT_USE_ACCESS);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hwnd, IDC_OPT_ACCESS_FROM_DATE)));

    ::SetDlgItemTextW(hwnd, IDC_OPT_ACCESS_FROM_DATE, L"2026/02/30");
    Click(hwnd, IDOK);
    ASSERT_EQ(g_boxes.texts.size(), 1u);
    EXPECT_EQ(g_boxes.texts[0], L"アクセス日の日付が異常です");
    EXPECT_EQ(g_boxes.captions[0], L"");
    ASSERT_TRUE(::IsWindow(hwnd)) << "a bad field keeps the dialog open";

    // The date operation steps the date field last entered.
    ::SetDlgItemTextW(hwnd, IDC_OPT_ACCESS_FROM_DATE, L"2024/03/31");
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_OPT_ACCESS_FROM_DATE, EN_SETFOCUS),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDC_OPT_ACCESS_FROM_DATE)));
    ChooseInList(hwnd, IDC_OPT_DATE_OPERATION, static_cast<int>(DateOperation::MonthBefore));
    Click(hwnd, IDC_OPT_DATE_APPLY);
    EXPECT_EQ(ItemText(hwnd, IDC_OPT_ACCESS_FROM_DATE), L"2024/02/29");

    ::SetDlgItemTextW(hwnd, IDC_OPT_SIZE_TO, L"2");
    Click(hwnd, IDOK);
    EXPECT_EQ(g_boxes.texts.size(), 1u);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.Result().useAccessRange, 1u);
    EXPECT_EQ(dialog.Result().maximumSize, 2048u);
}

TEST(FilterDialogs, DisplaySettingStoresIntoTheChosenGroup) {
    g_boxes = {};
    std::array<uint32_t, 5> groups = {0x01, 0x02, 0x04, 0x08, 0x30};
    CDispFileSettingDlg dialog(nullptr, 0x0F, groups);
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.GetSafeHwnd();
    EXPECT_EQ(ItemText(hwnd, IDC_DISP_CURRENT_DIR), L"\".\"(カレントディレクトリ)(&C)");
    EXPECT_EQ(ItemText(hwnd, IDC_DISP_PARENT_DIR), L"\"..\"(親ディレクトリ)(&U)");
    EXPECT_TRUE(Checked(hwnd, IDC_DISP_HIDDEN));
    EXPECT_TRUE(Checked(hwnd, IDC_DISP_CURRENT_DIR));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hwnd, IDC_DISP_STORE)));

    ChooseInList(hwnd, IDC_DISP_GROUP, 5);
    EXPECT_FALSE(Checked(hwnd, IDC_DISP_HIDDEN));
    EXPECT_FALSE(Checked(hwnd, IDC_DISP_CURRENT_DIR));
    EXPECT_FALSE(Checked(hwnd, IDC_DISP_PARENT_DIR));
    ::CheckDlgButton(hwnd, IDC_DISP_PARENT_DIR, BST_CHECKED);
    Click(hwnd, IDC_DISP_STORE);
    ASSERT_EQ(g_boxes.texts.size(), 1u);
    EXPECT_EQ(g_boxes.texts[0], L"設定が完了しました");
    EXPECT_EQ(g_boxes.captions[0], L"完了");
    EXPECT_EQ(groups, (std::array<uint32_t, 5>{0x01, 0x02, 0x04, 0x08, 0x10}));
    Click(hwnd, IDOK);
    EXPECT_EQ(dialog.Result(), 0x10u);
}

}  // namespace
