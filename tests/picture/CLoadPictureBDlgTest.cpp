#include "picture/CLoadPictureBDlg.h"

#include <gtest/gtest.h>

#include "main/OwnWindows.h"
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

}  // namespace
}  // namespace zq
