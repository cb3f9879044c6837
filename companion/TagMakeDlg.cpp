// The Filer's MP3 tag writer: one dialog for the file under the cursor (its
// tag shown to edit) or for all selected files at once (what is filled in is
// written to each, what is left empty keeps each file's own value).
#include <optional>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "DllModule.h"
#include "ZqDll.h"
#include "common/Id3v1Tag.h"

namespace {

using zq::StructId3v1Tag;
using zq::companion::ItemText;
using zq::companion::kButtonAtom;
using zq::companion::kEditAtom;
using zq::companion::kStaticAtom;

constexpr WORD kTitleId = 101;
constexpr WORD kArtistId = 102;
constexpr WORD kAlbumId = 103;
constexpr WORD kYearId = 104;
constexpr WORD kCommentId = 105;
constexpr WORD kTrackId = 106;
constexpr WORD kGenreId = 107;
constexpr WORD kFileId = 108;
constexpr WORD kHintId = 109;

struct Field {
    WORD id;
    const wchar_t* label;
    int limit;  // characters; the bytes are cut again at writing
};
constexpr Field kFields[] = {
    {kTitleId, L"曲名(&T)", 30},        {kArtistId, L"アーティスト(&A)", 30},
    {kAlbumId, L"アルバム(&L)", 30},    {kYearId, L"年(&Y)", 4},
    {kCommentId, L"コメント(&C)", 30},  {kTrackId, L"トラック(&R)", 3},
    {kGenreId, L"ジャンル番号(&G)", 3},
};

struct TagState {
    std::vector<std::wstring> files;
    std::optional<StructId3v1Tag> first;  // the single file's tag
    StructId3v1Tag filled;
};

std::wstring NameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring StemOf(const std::wstring& path) {
    std::wstring name = NameOf(path);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name;
}

void ShowTag(HWND dialog, const StructId3v1Tag& tag) {
    ::SetDlgItemTextW(dialog, kTitleId, tag.title.c_str());
    ::SetDlgItemTextW(dialog, kArtistId, tag.artist.c_str());
    ::SetDlgItemTextW(dialog, kAlbumId, tag.album.c_str());
    ::SetDlgItemTextW(dialog, kYearId, tag.year.c_str());
    ::SetDlgItemTextW(dialog, kCommentId, tag.comment.c_str());
    ::SetDlgItemTextW(dialog, kTrackId, tag.track ? std::to_wstring(tag.track).c_str() : L"");
    ::SetDlgItemTextW(dialog, kGenreId, tag.genre != zq::kId3v1NoGenre ? std::to_wstring(tag.genre).c_str() : L"");
}

// False, with the message shown, when a number field holds something else.
bool TakeFields(HWND dialog, StructId3v1Tag& tag) {
    const std::optional<int> track = zq::Id3v1Number(ItemText(dialog, kTrackId), 0);
    const std::optional<int> genre = zq::Id3v1Number(ItemText(dialog, kGenreId), zq::kId3v1NoGenre);
    if (!track || !genre) {
        ::MessageBoxW(dialog,
                      !track ? L"トラックは 0 から 255 の番号で入力してください。"
                             : L"ジャンル番号は 0 から 255 の番号で入力してください。",
                      L"MP3タグ作成", MB_OK | MB_ICONWARNING);
        ::SetFocus(::GetDlgItem(dialog, !track ? kTrackId : kGenreId));
        return false;
    }
    tag.title = ItemText(dialog, kTitleId);
    tag.artist = ItemText(dialog, kArtistId);
    tag.album = ItemText(dialog, kAlbumId);
    tag.year = ItemText(dialog, kYearId);
    tag.comment = ItemText(dialog, kCommentId);
    tag.track = *track;
    tag.genre = *genre;
    return true;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = zq::companion::DialogStateOf<TagState>(dialog, message, lParam);
    switch (message) {
        case WM_INITDIALOG: {
            for (const Field& field : kFields) ::SendDlgItemMessageW(dialog, field.id, EM_LIMITTEXT, field.limit, 0);
            if (state->files.size() == 1) {
                ::SetDlgItemTextW(dialog, kFileId, NameOf(state->files[0]).c_str());
                ShowTag(dialog, state->first.value_or(StructId3v1Tag{.title = StemOf(state->files[0])}));
            } else {
                ::SetDlgItemTextW(dialog, kFileId, (std::to_wstring(state->files.size()) + L" ファイル").c_str());
                ::SetDlgItemTextW(dialog, kHintId, L"空欄の項目は各ファイルの値を残します。");
            }
            return TRUE;
        }
        case WM_COMMAND:
            if (zq::companion::EndOnOkOrCancel(dialog, wParam, [&] { return TakeFields(dialog, state->filled); }))
                return TRUE;
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

extern "C" BOOL WINAPI ZqTagMakeDlg(StructZqTagRequest* request) {
    if (!request || request->cbSize < sizeof(StructZqTagRequest) || !request->Files || request->FileCount <= 0)
        return FALSE;
    request->Written = 0;
    TagState state;
    for (int32_t n = 0; n < request->FileCount; ++n)
        if (request->Files[n] && *request->Files[n]) state.files.emplace_back(request->Files[n]);
    if (state.files.empty()) return FALSE;
    if (state.files.size() == 1) state.first = zq::ReadId3v1Tag(state.files[0]);

    const bool bulk = state.files.size() > 1;
    zq::companion::TemplateWriter writer;
    const auto fields = static_cast<WORD>(std::size(kFields));
    writer.Dialog(0, 250, 40 + 16 * fields + 24, bulk ? L"MP3タグ一括作成" : L"MP3タグ作成", 2 * fields + 4);
    writer.Item(kStaticAtom, SS_LEFT | SS_PATHELLIPSIS, 7, 7, 236, 10, kFileId, L"");
    writer.Item(kStaticAtom, SS_LEFT, 7, 19, 236, 10, kHintId, L"");
    short y = 34;
    for (const Field& field : kFields) {
        writer.Item(kStaticAtom, SS_LEFT, 7, static_cast<short>(y + 2), 70, 10, 0xFFFF, field.label);
        writer.Item(kEditAtom, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 80, y, 163, 12, field.id, L"");
        y = static_cast<short>(y + 16);
    }
    writer.Item(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 139, static_cast<short>(y + 6), 50, 14, IDOK, L"書き込み");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 193, static_cast<short>(y + 6), 50, 14, IDCANCEL,
                L"キャンセル");
    if (zq::companion::RunDialog(writer, request->hwndOwner, DialogProc, state) != IDOK) return FALSE;

    std::wstring failed;
    for (const std::wstring& file : state.files) {
        const StructId3v1Tag tag =
            bulk ? zq::MergeId3v1(zq::ReadId3v1Tag(file), state.filled, StemOf(file)) : state.filled;
        if (zq::WriteId3v1Tag(file, tag) == zq::Id3v1WriteResult::Written)
            ++request->Written;
        else
            failed += L"\r\n" + file;
    }
    if (!failed.empty())
        ::MessageBoxW(request->hwndOwner, (L"タグを書き込めませんでした:" + failed).c_str(), L"MP3タグ作成",
                      MB_OK | MB_ICONWARNING);
    return TRUE;
}
