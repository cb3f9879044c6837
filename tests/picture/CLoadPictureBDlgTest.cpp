#include "picture/CLoadPictureBDlg.h"

#include <gtest/gtest.h>

#include <thread>

#include "common/Paths.h"
#include "main/OwnWindows.h"
#include "main/TempDir.h"
#include "resource.h"

namespace zq {
namespace {

std::wstring ShownText(HWND box) {
    wchar_t text[300] = {};
    ::GetDlgItemTextW(box, IDC_LOAD_PICTURE_TEXT, text, 300);
    return text;
}

// A member of a plug-in's archive: the dialog says it is extracted until the
// job has it, then that it is read; a plain file says "read" from the start.
TEST(CLoadPictureBDlg, TellsTheExtractionOfAMemberThenItsDecoding) {
    const std::wstring reading = CLoadPictureBDlg::MemberLoadingText(L"axzip.sph", L"album.zip", L"p/1.png", 1, 2);
    const std::wstring extracting =
        CLoadPictureBDlg::MemberLoadingText(L"axzip.sph", L"album.zip", L"p/1.png", 1, 2, true);
    EXPECT_EQ(extracting, L"PlugIn:axzip.sph  \n\nalbum.zipの\np/1.pngを解凍中\n(00001/00002)");
    for (const bool member : {true, false}) {
        std::wstring before;
        std::wstring after;
        DecodeJob job = [&](SusiePicture&, SusieProgress, const std::function<void()>& extracted) {
            HWND box = nullptr;
            for (int i = 0; i < 250 && !box; ++i, ::Sleep(20)) box = test::FindOwnWindow(L"#32770", L"画像の読み込み");
            if (!box) return susie::kNoMemory;
            before = ShownText(box);
            extracted();
            after = before;
            // The dialog looks at the job every 100 ms.
            for (int i = 0; i < 100 && after == before; ++i, ::Sleep(20)) after = ShownText(box);
            return susie::kNoMemory;
        };
        CLoadPictureBDlg dialog(nullptr, reading, job, member ? extracting : std::wstring());
        EXPECT_EQ(dialog.DoModal(), IDABORT);
        EXPECT_EQ(before, member ? extracting : reading) << member;
        EXPECT_EQ(after, reading) << member;
    }
}

// A picture of the x64 test plug-in whose mode byte (2) makes GetPicture
// sleep for good, as a plug-in that never returns does; 1 x 1 otherwise.
std::string Picture(char mode) {
    return std::string("ZQRL\x01\x00\x01\x00", 8) + mode + std::string("\0\0\0\x01\x10\x20\x30", 7);
}

// Given up on after the limits, whether cancelled or merely silent: the
// plug-in is disabled and reported, and no later caller waits for it.
TEST(CLoadPictureBDlg, APluginThatNeverReturnsIsGivenUpAndDisabled) {
    test::TempDir dir;
    const std::wstring susie = dir.MakeDir(L"spi");
    ASSERT_TRUE(
        ::CopyFileW(JoinPath(JoinPath(JoinPath(ModuleDirectory(), L"testdlls"), L"spi64"), L"zqrle.sph").c_str(),
                    JoinPath(susie, L"zqrle.sph").c_str(), FALSE));
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "silent");
        std::vector<std::wstring> reports;
        SusiePluginHost host(susie, [&](const std::wstring& m) { reports.push_back(m); });
        host.Rescan(false, SusieLoadMode::Off);
        ASSERT_EQ(host.Plugins().size(), 1u);
        CLoadPictureBDlg dialog(nullptr, host, dir.WriteFile(L"hang.zqr", Picture(2)), L"zqrle.sph");
        dialog.WatchForHangs(host, 300, cancel ? 60000 : 600);
        std::thread escape;
        if (cancel)
            escape = std::thread([] {
                HWND box = nullptr;
                for (int i = 0; i < 250 && !box; ++i, ::Sleep(20))
                    box = test::FindOwnWindow(L"#32770", L"画像の読み込み");
                ::Sleep(200);
                if (box) ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            });
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(dialog.DoModal(), IDABORT);
        if (escape.joinable()) escape.join();
        EXPECT_LT(::GetTickCount64() - start, 5000u);
        EXPECT_EQ(dialog.Result(), susie::kInternalError);
        EXPECT_EQ(reports, std::vector<std::wstring>{
                               L"画像Plug-In zqrle.sph が応答しなくなったため、今回の起動中は使用しません"});
        SusiePicture picture;
        EXPECT_NE(host.DecodeFile(dir.WriteFile(L"good.zqr", Picture(0)), picture), susie::kOk)
            << "the plug-in is not called again";
    }
}

}  // namespace
}  // namespace zq
