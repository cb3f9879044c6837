// The dialogs and workers over the engines, end to end: a job started from its
// dialog runs on its thread, asks through the program's boxes, and reports back.
#include <gtest/gtest.h>

#include <functional>

#include "filer/DialogAnswer.h"
#include "fileops/CDeleteDlg.h"
#include "fileops/CMyCopyDlg.h"
#include "fileops/CopyTestSupport.h"
#include "resource.h"

#include <commctrl.h>

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

// What a box that a script answered showed.
struct BoxSeen {
    bool fileShown = false;
    std::wstring text;
    bool sameChecked = false;
    bool onDialogThread = false;  // the box belongs to the dialog's thread, not the worker's
};

// Records what the box shows, optionally clicks a radio button, then clicks `button`.
std::function<void(HWND)> AnswerBox(BoxSeen& seen, int radio, int button) {
    return [&seen, radio, button](HWND box) {
        seen.onDialogThread = ::GetWindowThreadProcessId(box, nullptr) == ::GetCurrentThreadId();
        seen.fileShown = ::IsWindowVisible(::GetDlgItem(box, IDC_WAY_FILE)) != FALSE;
        wchar_t text[600] = {};
        ::GetDlgItemTextW(box, ::GetDlgItem(box, IDC_WAY_FILE) ? IDC_WAY_FILE : IDC_ASK_TEXT, text, 600);
        seen.text = text;
        seen.sameChecked =
            ::IsDlgButtonChecked(box, ::GetDlgItem(box, IDC_WAY_SAME) ? IDC_WAY_SAME : IDC_ASK_SAME) == BST_CHECKED;
        if (radio != 0) ::SendMessageW(::GetDlgItem(box, radio), BM_CLICK, 0, 0);
        zq::test::PostClick(box, button);
    };
}

// Pumps messages until done() or 30 s; counts the 1185 posted to view.
template <typename Done>
int Pump(HWND view, Done done) {
    int finishedPosts = 0;
    const ULONGLONG start = ::GetTickCount64();
    while (!done() && ::GetTickCount64() - start < 30000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == view && msg.message == WM_COMMAND && LOWORD(msg.wParam) == ID_OPERATION_DIALOG_FINISHED)
                ++finishedPosts;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    // The post may follow the flag.
    MSG msg;
    while (::PeekMessageW(&msg, view, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        if (LOWORD(msg.wParam) == ID_OPERATION_DIALOG_FINISHED) ++finishedPosts;
    return finishedPosts;
}

struct MessageWindow {
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ~MessageWindow() { ::DestroyWindow(hwnd); }
};

// A dropped file that collides: the worker asks, copies, and tells the view once.
TEST(OperationDialogsTest, WayQuestionFromTheWorkerFullOrCompact) {
    struct Case {
        bool noQuestion;
        bool fileShown;
    };
    for (const Case& c : {Case{false, true}, Case{true, false}}) {
        TempDir dir;
        const std::wstring dropped = dir.WriteFile(L"in\\a.txt", "new");
        dir.WriteFile(L"out\\a.txt", "old");
        MessageWindow view;
        CopyDialogSettings settings;
        settings.programDirectory = dir.Path();
        settings.noQuestion = c.noQuestion;
        CMyCopyDlg dialog(view.hwnd, kModeDropCopy, 0, settings);
        dialog.SetDropped({dropped});
        dialog.SetDestination(dir / L"out");
        BoxSeen box;
        const zq::test::DialogAnswer answer(L"コピー条件", AnswerBox(box, IDC_WAY_6, IDOK));
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(Pump(view.hwnd, [&] { return dialog.Finished(); }), 1);
        EXPECT_TRUE(dialog.Finished());
        EXPECT_TRUE(answer.Seen());
        EXPECT_TRUE(box.onDialogThread);
        EXPECT_EQ(box.fileShown, c.fileShown);
        EXPECT_TRUE(box.sameChecked);  // the first question of a job
        if (c.fileShown) {
            EXPECT_EQ(box.text, L"a.txt");
        }
        EXPECT_EQ(ReadFileBytes(dir / L"out\\a.txt"), "new");
        EXPECT_EQ(settings.sameName.savedWay, 6);
    }
}

// The way dialog's "コピーしないときの処理" opens the check list; its two
// answers reach the job, which then brings the time stamp onto the file it
// declines, and the settings.
int g_noCopyStep = 0;
VOID CALLBACK AnswerNoCopyList(HWND, UINT, UINT_PTR, DWORD) {
    HWND way = zq::test::FindOwnWindow(L"#32770", L"コピー条件");
    HWND list = zq::test::FindOwnWindow(L"#32770", L"コピーしないときの処理");
    if (g_noCopyStep == 0 && way && ::IsWindowVisible(way)) {
        g_noCopyStep = 1;
        ::PostMessageW(way, WM_COMMAND, MAKEWPARAM(IDC_WAY_NOCOPY, BN_CLICKED), 0);
    } else if (g_noCopyStep == 1 && list && ::IsWindowVisible(list)) {
        g_noCopyStep = 2;
        HWND items = ::GetDlgItem(list, IDC_CHECKLIST_LIST);
        ListView_SetCheckState(items, 1, TRUE);  // "日時をコピーする"
        ::PostMessageW(list, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else if (g_noCopyStep == 2 && way && !list) {
        g_noCopyStep = 3;
        ::SendMessageW(::GetDlgItem(way, IDC_WAY_5), BM_CLICK, 0, 0);
        ::PostMessageW(way, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

TEST(OperationDialogsTest, NoCopyChecksFromTheWayDialogReachTheJob) {
    TempDir dir;
    const std::wstring dropped = dir.WriteFile(L"in\\a.txt", "new");
    const std::wstring existing = dir.WriteFile(L"out\\a.txt", "old");
    FILETIME stamp{};
    stamp.dwHighDateTime = 0x01D00000;  // some day in 2014, unlike the files' own times
    ASSERT_TRUE(SetAllTimes(dropped, stamp)) << ::GetLastError();
    MessageWindow view;
    CopyDialogSettings settings;
    settings.programDirectory = dir.Path();
    CMyCopyDlg dialog(view.hwnd, kModeDropCopy, 0, settings);
    dialog.SetDropped({dropped});
    dialog.SetDestination(dir / L"out");
    g_noCopyStep = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerNoCopyList);
    ASSERT_TRUE(dialog.Create());
    Pump(view.hwnd, [&] { return dialog.Finished(); });
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_noCopyStep, 3);
    EXPECT_EQ(ReadFileBytes(existing), "old");  // declined
    EXPECT_EQ(FindOf(existing).ftLastWriteTime.dwHighDateTime, stamp.dwHighDateTime);
    EXPECT_EQ(FindOf(existing).ftLastWriteTime.dwLowDateTime, stamp.dwLowDateTime);
    EXPECT_TRUE(settings.sameName.noCopyDateTime);
    EXPECT_FALSE(settings.sameName.noCopyAttributes);
}

TEST(OperationDialogsTest, DeleteDialogAsksAboutHiddenFileAndKeepsItOnNo) {
    TempDir dir;
    dir.WriteFile(L"d\\plain.txt", "x");
    dir.WriteFile(L"d\\.hidden", "x");  // dot files are hidden here
    if (!(::GetFileAttributesW((dir / L"d\\.hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN)) {
        ::SetFileAttributesW((dir / L"d\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    MessageWindow view;
    DeleteOptions options;
    bool finishedFlag = false;
    CDeleteDlg dialog(view.hwnd, 0, Select(dir.Path(), {L"d"}), options);
    dialog.onDeletionFinished = [&] { finishedFlag = true; };
    BoxSeen box;
    const zq::test::DialogAnswer answer(L"削除の確認", AnswerBox(box, 0, IDC_ASK_NO));
    ASSERT_TRUE(dialog.Create());
    ::PostMessageW(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(Pump(view.hwnd, [&] { return dialog.Finished(); }), 1);
    EXPECT_TRUE(finishedFlag);
    EXPECT_TRUE(answer.Seen());
    EXPECT_TRUE(box.onDialogThread);
    EXPECT_EQ(box.text, dir / L"d\\.hidden" + L"は\n隠しファイルです。消去しますか?");
    EXPECT_TRUE(box.sameChecked);
    EXPECT_FALSE(FileExists(dir / L"d\\plain.txt"));
    EXPECT_TRUE(FileExists(dir / L"d\\.hidden"));
    EXPECT_TRUE(DirectoryExists(dir / L"d"));
}

}  // namespace
}  // namespace zq::fileops
