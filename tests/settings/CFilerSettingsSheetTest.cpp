#include "settings/CFilerSettingsSheet.h"

#include <gtest/gtest.h>

#include "resource.h"

namespace zq {
namespace {

bool Checked(HWND page, int id) {
    return ::SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void SetCheck(HWND page, int id, bool on) {
    ::SendDlgItemMessageW(page, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}
std::wstring Text(HWND page, int id) {
    wchar_t buffer[600] = {};
    ::GetDlgItemTextW(page, id, buffer, 600);
    return buffer;
}

// The sheet itself is never shown in a test, so a page's own visibility bit is what tells.
bool Shown(HWND page) {
    return (::GetWindowLongW(page, GWL_STYLE) & WS_VISIBLE) != 0;
}

Settings Sample() {
    Settings s;
    s.STARTSIZE = 4;
    s.STARTPOS = 9;  // no button stands for it
    s.FIRSTWIDE = 800;
    s.FIRSTDIRECTORY = L"C:\\作業";
    s.VIEWFILETIMETYPE = 1;
    s.reloadEnable = {1, 0, 1, 0, 0};
    s.reloadTime = {2, 5, 7, 3, 10};
    s.DOSSHELL = L"CMD.EXE";
    return s;
}

TEST(CFilerSettingsSheetTest, PagesShowTheValuesAndOkTakesTheEdits) {
    const Settings original = Sample();
    CFilerSettingsSheet sheet(original, SIZE{1024, 700});
    ASSERT_TRUE(sheet.Create());
    HWND start = sheet.PageWindow(0), filer = sheet.PageWindow(1), reload = sheet.PageWindow(2),
         ext = sheet.PageWindow(3);
    ASSERT_TRUE(start && filer && reload && ext);
    EXPECT_TRUE(Checked(start, IDC_STARTSIZE4));
    EXPECT_EQ(Text(start, IDC_FIRSTWIDE), L"800");
    EXPECT_EQ(Text(start, IDC_FIRSTDIRECTORY), L"C:\\作業");
    EXPECT_EQ(::SendDlgItemMessageW(filer, IDC_VIEWFILETIMETYPE, CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(Checked(filer, IDC_HIDDENVIEWFLAG));
    EXPECT_TRUE(Checked(reload, IDC_RELOAD_ENABLE2));
    EXPECT_EQ(Text(reload, IDC_RELOAD_TIME2), L"7");
    EXPECT_EQ(Text(ext, IDC_DOSSHELL), L"CMD.EXE");
    EXPECT_EQ(::SendDlgItemMessageW(ext, IDC_DOSSHELL, CB_GETCOUNT, 0, 0), 2);

    // "現在のサイズを入力" takes the frame's size.
    ::SendMessageW(start, WM_COMMAND, MAKEWPARAM(IDC_TAKE_CURRENT_SIZE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(start, IDC_TAKE_CURRENT_SIZE)));
    EXPECT_EQ(Text(start, IDC_FIRSTWIDE), L"1024");
    EXPECT_EQ(Text(start, IDC_FIRSTHEIGHT), L"700");

    SetCheck(start, IDC_STARTSIZE4, false);
    SetCheck(start, IDC_STARTSIZE1, true);
    ::SetDlgItemTextW(start, IDC_SECONDDIRECTORY, L"D:\\");
    SetCheck(filer, IDC_HIDDENVIEWFLAG, false);
    ::SetDlgItemTextW(reload, IDC_RELOAD_TIME0, L"9");
    ::SetDlgItemTextW(ext, IDC_DOSSHELL, L"command.com");
    ASSERT_TRUE(sheet.Collect());
    const Settings& edited = sheet.Edited();
    EXPECT_EQ(edited.STARTSIZE, 1);
    EXPECT_EQ(edited.STARTPOS, 9);
    EXPECT_EQ(edited.FIRSTWIDE, 1024);
    EXPECT_EQ(edited.SECONDDIRECTORY, L"D:\\");
    EXPECT_EQ(edited.HIDDENVIEWFLAG, 0);
    EXPECT_EQ(edited.reloadTime[0], 9);
    EXPECT_EQ(edited.DOSSHELL, L"command.com");
    EXPECT_EQ(original.STARTSIZE, 4);  // the caller's settings are untouched
    sheet.DestroyWindow();
}

TEST(CFilerSettingsSheetTest, BadValueShowsItsPage) {
    CFilerSettingsSheet sheet(Sample(), SIZE{640, 480});
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(Shown(sheet.PageWindow(0)));
    sheet.ShowPage(3);
    EXPECT_FALSE(Shown(sheet.PageWindow(0)));
    EXPECT_TRUE(Shown(sheet.PageWindow(3)));
    ::SetDlgItemTextW(sheet.PageWindow(2), IDC_RELOAD_TIME3, L"");
    EXPECT_FALSE(sheet.Collect());
    EXPECT_EQ(sheet.CurrentPage(), 2);
    EXPECT_TRUE(Shown(sheet.PageWindow(2)));
    ::SetDlgItemTextW(sheet.PageWindow(2), IDC_RELOAD_TIME3, L"4");
    EXPECT_TRUE(sheet.Collect());
    EXPECT_EQ(sheet.Edited().reloadTime[3], 4);
    sheet.DestroyWindow();
}

}  // namespace
}  // namespace zq
