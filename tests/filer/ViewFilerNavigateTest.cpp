// The navigation commands through the view's Filer, with their dialogs
// answered by a timer as a user would answer them.
#include <gtest/gtest.h>

#include <functional>

#include "filer/DialogAnswer.h"
#include "filer/FilerFixture.h"
#include "filer/PaneTestUtil.h"
#include "main/TempDir.h"
#include "resource.h"
#include "settings/Settings.h"

using namespace zq;

namespace {

using Names = std::vector<std::wstring>;

std::wstring Upper(std::wstring s) {
    ::CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// Both panes hold an a.txt: twins for the newer-file marking.
struct Fixture : test::FilerFixture {
    explicit Fixture(int twoPanes = 1) : FilerFixture(twoPanes, L"a.txt") {}
    void Run(const wchar_t* text) { ASSERT_EQ(FilerFixture::Run(text), RouteResult::Ran) << text; }
    Names History() const { return settings.dirHistoryDialog.Items(); }
};

// Runs `command` while a timer stands ready to answer its window; true when it was answered.
bool RunAnswered(Fixture& f, const wchar_t* command, const wchar_t* title, std::function<void(HWND)> act) {
    const test::DialogAnswer answer(title, std::move(act));
    f.Run(command);
    return answer.Seen();
}

TEST(ViewFilerNavigate, EveryDirectoryLeftGoesToTheHistoryOnce) {
    Fixture f;
    const std::wstring top = f.first.Path();
    const std::wstring sub = top + L"\\sub";
    f.Run(L"@Down");
    ASSERT_TRUE(f.filer->EnterCursorDirectory());
    EXPECT_EQ(f.History(), (Names{top}));
    f.Run(L"@Updirectory");
    EXPECT_EQ(f.History(), (Names{sub, top}));
    // The same directory, in other letters, moves to the front instead of appearing twice.
    f.filer->Pane(0).SetPath(Upper(sub));
    f.Run(L"@Updirectory");
    ASSERT_EQ(f.History().size(), 2u);
    EXPECT_EQ(Upper(f.History()[0]), Upper(sub));
    EXPECT_EQ(f.History()[1], top);
    // The jump list of typed and bookmarked directories is a different list.
    EXPECT_TRUE(f.settings.dirHistory.Empty());
}

TEST(ViewFilerNavigate, UpFromADriveRootShowsTheDriveListAndReturnComesBack) {
    Fixture f;
    f.Run(L"@Rootdirectory");
    const std::wstring root = f.filer->Pane(0).Path();
    ASSERT_EQ(root.size(), 2u);
    f.Run(L"@Updirectory");
    zq::FilerPane& pane = f.filer->Pane(0);
    ASSERT_EQ(pane.Kind(), zq::kKindDriveList);
    EXPECT_TRUE(f.modes.Query(0, 0, zq::pane_mode::kDriveList)) << "menus and keys follow the list";
    ASSERT_NE(pane.CursorEntry(), nullptr);
    EXPECT_EQ(pane.CursorEntry()->cFileName, root) << "the cursor starts on the drive left";
    EXPECT_EQ(f.filer->ActiveLocation(), L"論理ドライブリスト");
    EXPECT_EQ(f.History().front(), root) << "the root is the directory left";
    zq::Settings stored;
    f.filer->StoreState(stored);
    EXPECT_EQ(stored.ENDDIRECTORY, root) << "the list's title is no directory to start in";

    f.filer->RunReturnAction();
    EXPECT_EQ(pane.Kind(), zq::kKindDirectory);
    EXPECT_EQ(pane.Path(), root);
    EXPECT_TRUE(f.modes.Query(0, 0, zq::pane_mode::kDirectory));
    for (const std::wstring& left : f.History()) EXPECT_NE(left, L"論理ドライブリスト");
}

TEST(ViewFilerNavigate, NewerSelectNeedsTwoFilerPanes) {
    Fixture f(0);
    std::wstring text;
    EXPECT_TRUE(RunAnswered(f, L"@Newselelect", L"", [&text](HWND box) {
        text = test::BoxText(box);
        test::PostClick(box, IDOK);
    }));
    EXPECT_EQ(text, L"両方共Filerモードでないので実行できません");
    EXPECT_EQ(f.filer->Pane(0).MarkedCount(), 0);
}

TEST(ViewFilerNavigate, NewerSelectAsksAndRemembersTheBoxes) {
    Fixture f;
    test::SetWriteTime(f.first / L"a.txt", test::DayTime(2));
    test::SetWriteTime(f.second / L"a.txt", test::DayTime(1));
    f.second.WriteFile(L"only.txt", "");
    f.Run(L"@Manualreload");
    f.filer->Pane(1).ReadDirectory(kReadForced);
    f.filer->Pane(1).Sort();

    // First use: tick both boxes.
    ASSERT_TRUE(RunAnswered(f, L"@Newselelect", L"新しいファイルを選択", [](HWND dialog) {
        ::CheckDlgButton(dialog, IDC_NEWSELECT_LONELY, BST_CHECKED);
        ::CheckDlgButton(dialog, IDC_NEWSELECT_BOTH, BST_CHECKED);
        test::PostClick(dialog, IDOK);
    }));
    // a.txt is newer than its twin; b.txt has none.
    EXPECT_EQ(test::MarkedNames(f.filer->Pane(0)), (Names{L"a.txt", L"b.txt"}));
    EXPECT_EQ(test::MarkedNames(f.filer->Pane(1)), (Names{L"only.txt"}));

    // The next use opens with the boxes as they were left; Cancel changes no mark.
    bool lonely = false, both = false;
    RunAnswered(f, L"@Newselelect", L"新しいファイルを選択", [&](HWND dialog) {
        lonely = ::IsDlgButtonChecked(dialog, IDC_NEWSELECT_LONELY) == BST_CHECKED;
        both = ::IsDlgButtonChecked(dialog, IDC_NEWSELECT_BOTH) == BST_CHECKED;
        test::PostClick(dialog, IDCANCEL);
    });
    EXPECT_TRUE(lonely);
    EXPECT_TRUE(both);
    EXPECT_EQ(f.filer->Pane(1).MarkedCount(), 1);
}

TEST(ViewFilerNavigate, HistoryDialogGoesToTheChosenDirectory) {
    Fixture f;
    const std::wstring top = f.first.Path();
    f.Run(L"@Down");
    ASSERT_TRUE(f.filer->EnterCursorDirectory());
    f.Run(L"@Updirectory");
    ASSERT_EQ(f.History(), (Names{top + L"\\sub", top}));

    // The dialog opens at the size it was left at; the list fills it above the buttons.
    f.settings.DIR_HISTORY_DIALOG_W = 700;
    f.settings.DIR_HISTORY_DIALOG_H = 450;
    Names listed;
    SIZE size{};
    RECT client{}, listRect{}, okRect{};
    ASSERT_TRUE(RunAnswered(f, L"@Dirhistory", L"ディレクトリ履歴", [&](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_DIRHISTORY_LIST);
        RECT window{};
        ::GetWindowRect(dialog, &window);
        size = {window.right - window.left, window.bottom - window.top};
        ::GetClientRect(dialog, &client);
        ::GetWindowRect(list, &listRect);
        ::GetWindowRect(::GetDlgItem(dialog, IDOK), &okRect);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&listRect), 2);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&okRect), 2);
        const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t item[600] = {};
            ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            listed.emplace_back(item);
        }
        ::SendMessageW(list, LB_SETCURSEL, 0, 0);
        test::PostClick(dialog, IDOK);
    }));
    EXPECT_EQ(size.cx, 700);
    EXPECT_EQ(size.cy, 450);
    EXPECT_GT(listRect.right - listRect.left, client.right * 9 / 10);
    EXPECT_LT(listRect.bottom, okRect.top);
    EXPECT_LE(okRect.bottom, client.bottom);
    EXPECT_GT(okRect.bottom, client.bottom * 9 / 10);
    EXPECT_EQ(listed, (Names{top + L"\\sub", top}));
    EXPECT_EQ(f.filer->Pane(0).Path(), top + L"\\sub");
    // Going there left `top`, which is now the newest entry; the size is kept for next time.
    EXPECT_EQ(f.History(), (Names{top, top + L"\\sub"}));
    EXPECT_EQ(f.settings.DIR_HISTORY_DIALOG_W, 700);
    EXPECT_EQ(f.settings.DIR_HISTORY_DIALOG_H, 450);
}

}  // namespace
