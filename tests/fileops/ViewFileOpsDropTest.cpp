#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "commands/DialogLists.h"
#include "filer/DialogAnswer.h"
#include "filer/FilerFixture.h"
#include "fileops/ViewFileOps.h"
#include "fileops/ViewFileOpsDrop.h"
#include "fileops/CopyJob.h"

using namespace zq;

TEST(ViewFileOpsDrop, JobModeOfADrop) {
    constexpr unsigned kCopy = fileops::kModeDropCopy, kMove = fileops::kModeDropMove, kLink = fileops::kModeDropLink;
    struct Case {
        unsigned requested;
        std::vector<std::wstring> paths;
        std::optional<unsigned> expected;
    };
    const Case cases[] = {
        {kCopy, {L"C:\\a\\b.txt"}, kCopy},
        {kMove, {L"C:\\a\\b.txt", L"C:\\a\\c"}, kMove},
        {kLink, {L"C:\\a\\b.txt"}, kCopy},                      // linking is done as a copy
        {kLink, {L"C:\\tools\\run.exe"}, std::nullopt},         // ...but never of one program
        {kLink, {L"C:\\tools\\RUN.Exe"}, std::nullopt},         // whatever its case
        {kLink, {L"C:\\tools\\run.exe", L"C:\\x.txt"}, kCopy},  // programs among others are copied
        {kLink, {L"C:\\d.exe\\readme"}, kCopy},                 // the extension of the name, not of a folder
        {kCopy, {L"C:\\tools\\run.exe"}, kCopy},                // a plain copy copies programs too
        {kCopy, {}, std::nullopt},
        {fileops::kModeCopy, {L"C:\\a"}, std::nullopt},  // not a drop mode
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropJobMode(c.requested, c.paths), c.expected) << c.requested << " " << c.paths.size();
}

TEST(ViewFileOpsDrop, KeysHeldWhileDropping) {
    EXPECT_EQ(DropModeForKeys(false, false), fileops::kModeDropCopy);
    EXPECT_EQ(DropModeForKeys(false, true), fileops::kModeDropCopy);
    EXPECT_EQ(DropModeForKeys(true, false), fileops::kModeDropMove);
    EXPECT_EQ(DropModeForKeys(true, true), fileops::kModeDropLink);
}

namespace {

// A drop as the shell hands it over: one HDROP naming `paths`, let go at `point`.
HDROP MakeDrop(const std::vector<std::wstring>& paths, POINT point) {
    size_t chars = 1;
    for (const std::wstring& p : paths) chars += p.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& p : paths) {
        std::copy(p.begin(), p.end(), text);
        text += p.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// Runs this thread's messages until the copy list has no running dialog, or 30 s.
bool WaitForCopies(DialogLists& lists) {
    const ULONGLONG start = ::GetTickCount64();
    while (!lists.PurgeAndTestEmpty(DialogList::Copy)) {
        if (::GetTickCount64() - start > 30000) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

struct ViewWindow {
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ~ViewWindow() {
        if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    }
};

}  // namespace

TEST(ViewFileOpsDrop, FilesDroppedOnAPaneLandInThatPanesDirectoryInEitherSplit) {
    test::FilerFixture f;
    test::TempDir source;
    DialogLists lists;
    ViewWindow view;
    f.context.view = view.hwnd;
    f.context.lists = &lists;
    f.context.programDir = source.Path();
    ViewFileOps ops(f.context, *f.filer);
    int dropped = 0;
    for (const int way : {0, 1}) {
        f.settings.WINDOWDEVIDEWAY = way;
        f.Paint({640, 480});
        const filer::FilerLayoutResult& layout = f.filer->LayoutResult();
        for (const int pane : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "split " << way << " pane " << pane);
            const RECT& r = layout.panes[static_cast<size_t>(pane)].rect;
            // Near the pane's far corner, where a split by the window's halves goes wrong.
            const POINT at = {r.right - 8, r.bottom - 8};
            ASSERT_EQ(filer::PaneAt(layout, at), pane);
            const std::wstring name = L"drop" + std::to_wstring(++dropped) + L".txt";
            source.WriteFile(name, "dropped");
            ops.OnDropFiles(MakeDrop({source / name}, at));
            ASSERT_TRUE(WaitForCopies(lists));
            const std::wstring into = f.filer->Pane(pane).Path() + L"\\" + name;
            const std::wstring other = f.filer->Pane(pane ^ 1).Path() + L"\\" + name;
            EXPECT_EQ(test::ReadFileBytes(into), "dropped");
            EXPECT_EQ(::GetFileAttributesW(other.c_str()), INVALID_FILE_ATTRIBUTES);
        }
    }
    // Over the header no pane is hit: the focused pane takes the files.
    EXPECT_EQ(DropTargetPane(f.filer->LayoutResult(), {2, 2}, 1), 1);
    EXPECT_EQ(DropTargetPane(f.filer->LayoutResult(), {2, 2}, -1), 0);
}

namespace {

std::wstring ReadLog(const std::wstring& path) {
    const std::string bytes = test::ReadFileBytes(path);
    if (bytes.size() < 2) return {};
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
}

}  // namespace

TEST(ViewFileOpsDrop, ADialogThatCannotOpenIsLoggedAndShown) {
    test::FilerFixture f;
    test::TempDir program;
    DialogLists lists;
    HWND gone = ViewWindow().hwnd;  // destroyed at once: no dialog can belong to it
    f.context.view = gone;
    f.context.lists = &lists;
    f.context.programDir = program.Path();
    ViewFileOps ops(f.context, *f.filer);
    std::wstring told;
    {
        const test::DialogAnswer answer(L"", [&told](HWND box) {
            told = test::BoxText(box);
            test::PostClick(box, IDOK);
        });
        ops.StartDrop(0, {f.second / L"x.txt"}, fileops::kModeDropCopy);
        EXPECT_TRUE(answer.Seen());
    }
    EXPECT_EQ(told.rfind(L"操作のダイアログを開けませんでした\n(CreateDialog:Error Code=", 0), 0u);
    EXPECT_TRUE(lists.PurgeAndTestEmpty(DialogList::Copy));
    EXPECT_EQ(ReadLog(program / L"zq.log"), L"OnCopy Failed before Create\r\n");
}
