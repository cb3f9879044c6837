#include <gtest/gtest.h>

#include <algorithm>

#include "main/OwnWindows.h"

#include "resource.h"
#include "ui/CDialog.h"
#include "ui/CMessageBoxDlg.h"

namespace {

class TestDlg : public zq::ui::CDialog {
  public:
    TestDlg() : CDialog(IDD_UI_TEST) {}
    std::wstring text = L"初期値";
    bool checked = true;
    int radio = 2;
    std::wstring comboText = L"履歴";
    int number = 5;
    size_t capacity = 0;

  protected:
    void DoDataExchange(zq::ui::DataExchange& dx) override {
        dx.Text(IDC_UI_TEST_EDIT, text, capacity);
        dx.Check(IDC_UI_TEST_CHECK, checked);
        dx.Radio(IDC_UI_TEST_RADIO0, IDC_UI_TEST_RADIO2, radio);
        dx.ComboText(IDC_UI_TEST_COMBO, comboText);
        dx.Int(IDC_UI_TEST_NUMBER, number, 0, 100);
    }
};

bool IsChecked(HWND dialog, int id) {
    return ::SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

TEST(CDialog, DataExchangeFillsControlsAndReadsThemBack) {
    TestDlg dlg;
    ASSERT_TRUE(dlg.Create());
    HWND hWnd = dlg.GetSafeHwnd();
    // OnInitDialog moved the members into the controls.
    EXPECT_EQ(dlg.GetDlgItemText(IDC_UI_TEST_EDIT), L"初期値");
    EXPECT_TRUE(IsChecked(hWnd, IDC_UI_TEST_CHECK));
    EXPECT_FALSE(IsChecked(hWnd, IDC_UI_TEST_RADIO0));
    EXPECT_TRUE(IsChecked(hWnd, IDC_UI_TEST_RADIO2));
    EXPECT_EQ(dlg.GetDlgItemText(IDC_UI_TEST_COMBO), L"履歴");

    dlg.SetDlgItemText(IDC_UI_TEST_EDIT, L"新しい名前.txt");
    ::SendDlgItemMessageW(hWnd, IDC_UI_TEST_CHECK, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageW(hWnd, IDC_UI_TEST_RADIO2, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageW(hWnd, IDC_UI_TEST_RADIO0, BM_SETCHECK, BST_CHECKED, 0);
    dlg.SetDlgItemText(IDC_UI_TEST_NUMBER, L"42");
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.text, L"新しい名前.txt");
    EXPECT_FALSE(dlg.checked);
    EXPECT_EQ(dlg.radio, 0);
    EXPECT_EQ(dlg.number, 42);
    dlg.DestroyWindow();
}

TEST(CDialog, DataExchangeRefusesBadNumbersAndCutsToCapacity) {
    TestDlg dlg;
    dlg.capacity = 5;  // four characters and the terminator
    ASSERT_TRUE(dlg.Create());
    struct Case {
        const wchar_t* input;
        bool accepted;
    };
    const Case cases[] = {{L"", false}, {L"12x", false}, {L"101", false}, {L"-1", false}, {L"0", true}, {L"100", true}};
    for (const auto& c : cases) {
        dlg.number = 55;
        dlg.SetDlgItemText(IDC_UI_TEST_NUMBER, c.input);
        EXPECT_EQ(dlg.UpdateData(true), c.accepted) << c.input;
        if (!c.accepted) {
            EXPECT_EQ(dlg.number, 55) << c.input;
        }
    }
    dlg.SetDlgItemText(IDC_UI_TEST_NUMBER, L"1");
    // The edit field is limited to capacity - 1 when filled; text set behind its back is cut on reading.
    ::SetWindowTextW(dlg.GetDlgItem(IDC_UI_TEST_EDIT), L"abcdefgh");
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.text, L"abcd");
    dlg.DestroyWindow();
}

TEST(CDialog, ModelessListFollowsCreationAndDestruction) {
    const size_t before = zq::ui::CDialog::ModelessDialogs().size();
    {
        TestDlg dlg;
        ASSERT_TRUE(dlg.Create());
        EXPECT_EQ(zq::ui::CDialog::ModelessDialogs().size(), before + 1);
        dlg.DestroyWindow();
        EXPECT_EQ(zq::ui::CDialog::ModelessDialogs().size(), before);
        EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    }
    {
        TestDlg dlg;
        ASSERT_TRUE(dlg.Create());
    }  // destroyed by its object
    EXPECT_EQ(zq::ui::CDialog::ModelessDialogs().size(), before);
}

namespace {
// Answers the first CMessageBoxDlg that appears by clicking one of its buttons.
int g_button = 0;
VOID CALLBACK AnswerTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = zq::test::FindOwnWindow(L"#32770", L"確認");
    if (!box) return;
    ::KillTimer(nullptr, id);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, g_button)));
}
}  // namespace

TEST(CMessageBoxDlg, NoAnswersTwoAndYesAnswersOne) {
    struct Case {
        int button;
        INT_PTR expected;
    };
    const Case cases[] = {{IDC_MESSAGEBOX_NO, 2}, {IDOK, 1}, {IDCANCEL, 2}};
    for (const auto& c : cases) {
        g_button = c.button;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, AnswerTimer);
        zq::ui::CMessageBoxDlg box(L"上書きしますか?", nullptr, L"確認");
        EXPECT_EQ(box.DoModal(), c.expected) << c.button;
        ::KillTimer(nullptr, timer);
    }
}

TEST(CDialog, OpensCentredOnTheMainWindowAndWholeOnTheScreen) {
    // The view is a child of the main window; its dialogs centre on the main window.
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    struct Case {
        int x, y;
    };
    const Case cases[] = {{work.left + 200, work.top + 150},
                          {work.left + 10, work.top + 10},
                          {work.right - 300, work.bottom - 200}};  // hangs over the corner
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        HWND frame = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, c.x, c.y, 700, 500, nullptr,
                                       nullptr, nullptr, nullptr);
        HWND view = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 700, 500, frame, nullptr, nullptr,
                                      nullptr);
        TestDlg dlg;
        ASSERT_TRUE(dlg.Create(view));
        RECT box{}, main{};
        ::GetWindowRect(dlg.GetSafeHwnd(), &box);
        ::GetWindowRect(frame, &main);
        const RECT shown = {std::max(main.left, work.left), std::max(main.top, work.top),
                            std::min(main.right, work.right), std::min(main.bottom, work.bottom)};
        EXPECT_GE(box.left, work.left);
        EXPECT_GE(box.top, work.top);
        EXPECT_LE(box.right, work.right);
        EXPECT_LE(box.bottom, work.bottom);
        if (main.right <= work.right && main.bottom <= work.bottom && main.left >= work.left && main.top >= work.top) {
            EXPECT_NEAR((box.left + box.right) / 2, (main.left + main.right) / 2, 1);
            EXPECT_NEAR((box.top + box.bottom) / 2, (main.top + main.bottom) / 2, 1);
        } else {
            // Pushed inside the screen, it still overlaps what is seen of the main window.
            RECT both{};
            EXPECT_TRUE(::IntersectRect(&both, &box, &shown));
        }
        dlg.DestroyWindow();
        ::DestroyWindow(frame);
    }
}
