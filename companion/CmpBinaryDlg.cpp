// The Filer's comparison of two files: the dialog shows both names and sizes,
// compares on a worker so that a large pair can be watched and cancelled, and
// then lists where the files differ.
#include <cstring>
#include <string>
#include <thread>

#include "DialogTemplate.h"
#include "DllModule.h"
#include "ZqDll.h"
#include "common/FileCompare.h"

namespace {

using zq::companion::ItemText;
using zq::companion::kButtonAtom;
using zq::companion::kListBoxAtom;
using zq::companion::kStaticAtom;

constexpr WORD kFirstId = 101;
constexpr WORD kSecondId = 102;
constexpr WORD kResultId = 103;
constexpr WORD kSizesId = 104;
constexpr WORD kListId = 105;
constexpr WORD kCopyId = 106;
constexpr UINT kProgressMessage = WM_APP + 1;  // wParam: percent done
constexpr UINT kDoneMessage = WM_APP + 2;
// More differences than a list can usefully show: the count still says how many.
constexpr size_t kListedDifferences = 1000;

std::wstring Grouped(std::uint64_t value) {
    std::wstring digits = std::to_wstring(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), 1, L',');
    return digits;
}

std::wstring Hex(std::uint64_t value, int width) {
    wchar_t text[24];
    (void)::swprintf(text, std::size(text), L"%0*llX", width, static_cast<unsigned long long>(value));
    return text;
}

struct CompareState {
    std::wstring directory;
    std::wstring first;
    std::wstring second;
    zq::StructFileCompareResult result;
    std::atomic<bool> cancel{false};
    std::thread worker;
    bool closing = false;
};

// Names under the pane's directory are shown without it: the two lines stay short.
std::wstring Shown(const CompareState& state, const std::wstring& path) {
    const std::wstring& directory = state.directory;
    if (!directory.empty() && path.size() > directory.size() &&
        ::CompareStringOrdinal(path.c_str(), static_cast<int>(directory.size()), directory.c_str(),
                               static_cast<int>(directory.size()), TRUE) == CSTR_EQUAL)
        return path.substr(directory.size());
    return path;
}

void ShowResult(HWND dialog, const CompareState& state) {
    const zq::StructFileCompareResult& r = state.result;
    const auto set = [dialog](WORD id, const std::wstring& text) { ::SetDlgItemTextW(dialog, id, text.c_str()); };
    set(kFirstId, L"1: " + Shown(state, state.first) + L"  (" + Grouped(r.firstSize) + L" バイト)");
    set(kSecondId, L"2: " + Shown(state, state.second) + L"  (" + Grouped(r.secondSize) + L" バイト)");
    switch (r.status) {
        case zq::FileCompareStatus::FirstUnreadable:
            set(kResultId, L"ファイルを読めません: " + state.first);
            return;
        case zq::FileCompareStatus::SecondUnreadable:
            set(kResultId, L"ファイルを読めません: " + state.second);
            return;
        case zq::FileCompareStatus::Cancelled:
            set(kResultId, L"比較を中止しました。");
            return;
        case zq::FileCompareStatus::Compared:
            break;
    }
    if (r.Identical()) {
        set(kResultId, L"同じ内容です。");
        return;
    }
    set(kResultId, r.differing ? Grouped(r.differing) + L" バイトが異なります。"
                               : std::wstring(L"共通の長さまでは同じ内容です。"));
    if (r.firstSize != r.secondSize)
        set(kSizesId,
            L"サイズが異なります: 長い方の後ろ " +
                Grouped(r.firstSize > r.secondSize ? r.firstSize - r.secondSize : r.secondSize - r.firstSize) +
                L" バイトは片方にしかありません。");
    if (r.listed.empty()) return;
    // The address column widens only for offsets past 4 GiB.
    const int width = r.listed.back().offset > 0xFFFFFFFFull ? 16 : 8;
    const HWND list = ::GetDlgItem(dialog, kListId);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"ADDRESS\t1\t2"));
    for (const auto& d : r.listed) {
        const std::wstring row = Hex(d.offset, width) + L"\t" + Hex(d.first, 2) + L"\t" + Hex(d.second, 2);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    if (r.differing > r.listed.size()) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"…以下省略"));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

// The result as it is shown, rows of the list included, for a report or a mail.
void CopyResult(HWND dialog) {
    std::wstring text;
    for (WORD id : {kFirstId, kSecondId, kResultId, kSizesId}) {
        std::wstring line = ItemText(dialog, id);
        if (!line.empty()) text += line + L"\r\n";
    }
    const HWND list = ::GetDlgItem(dialog, kListId);
    const auto rows = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        std::wstring line(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0)) + 1,
                          L'\0');
        line.resize(static_cast<size_t>(
            ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(line.data()))));
        text += line + L"\r\n";
    }
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return;
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, text.c_str(), bytes);
        ::GlobalUnlock(memory);
    }
    if (::OpenClipboard(dialog)) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_UNICODETEXT, memory)) memory = nullptr;  // the clipboard owns it now
        ::CloseClipboard();
    }
    if (memory) ::GlobalFree(memory);
}

void StartWorker(HWND dialog, CompareState& state) {
    state.worker = std::thread([dialog, &state] {
        int shown = -1;
        state.result = zq::CompareFiles(state.first, state.second, kListedDifferences, &state.cancel,
                                        [dialog, &shown](std::uint64_t done, std::uint64_t total) {
                                            const int percent = total ? static_cast<int>(done * 100 / total) : 100;
                                            if (percent == shown) return;
                                            shown = percent;
                                            ::PostMessageW(dialog, kProgressMessage, static_cast<WPARAM>(percent), 0);
                                        });
        ::PostMessageW(dialog, kDoneMessage, 0, 0);
    });
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = zq::companion::DialogStateOf<CompareState>(dialog, message, lParam);
    switch (message) {
        case WM_INITDIALOG: {
            ::SetDlgItemTextW(dialog, kFirstId, (L"1: " + Shown(*state, state->first)).c_str());
            ::SetDlgItemTextW(dialog, kSecondId, (L"2: " + Shown(*state, state->second)).c_str());
            ::SetDlgItemTextW(dialog, kResultId, L"比較しています…");
            const int tabs[] = {80, 110};
            ::SendDlgItemMessageW(dialog, kListId, LB_SETTABSTOPS, std::size(tabs), reinterpret_cast<LPARAM>(tabs));
            StartWorker(dialog, *state);
            return TRUE;
        }
        case kProgressMessage:
            if (state && state->worker.joinable())
                ::SetDlgItemTextW(dialog, kResultId,
                                  (L"比較しています… " + std::to_wstring(static_cast<int>(wParam)) + L"%").c_str());
            return TRUE;
        case kDoneMessage:
            state->worker.join();
            if (state->closing) {
                ::EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            ShowResult(dialog, *state);
            ::EnableWindow(::GetDlgItem(dialog, kCopyId), TRUE);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCopyId) {
                CopyResult(dialog);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
                // The worker holds the state: the dialog ends when it has stopped.
                if (state->worker.joinable()) {
                    state->closing = true;
                    state->cancel = true;
                } else {
                    ::EndDialog(dialog, IDCANCEL);
                }
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

extern "C" BOOL WINAPI ZqCmpBinaryDlg(const wchar_t* directory, const wchar_t* first, const wchar_t* second) {
    if (!first || !second || !*first || !*second) return FALSE;
    CompareState state;
    state.directory = directory ? directory : L"";
    state.first = first;
    state.second = second;

    zq::companion::TemplateWriter writer;
    writer.Dialog(0, 300, 200, L"バイナリ比較", 7);
    writer.Item(kStaticAtom, SS_LEFT | SS_PATHELLIPSIS, 7, 7, 286, 10, kFirstId, L"");
    writer.Item(kStaticAtom, SS_LEFT | SS_PATHELLIPSIS, 7, 19, 286, 10, kSecondId, L"");
    writer.Item(kStaticAtom, SS_LEFT, 7, 35, 286, 10, kResultId, L"");
    writer.Item(kStaticAtom, SS_LEFT, 7, 47, 286, 10, kSizesId, L"");
    writer.Item(kListBoxAtom, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS, 7, 60, 286,
                114, kListId, L"");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 7, 180, 70, 14, kCopyId, L"結果をコピー(&C)");
    writer.Item(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 243, 180, 50, 14, IDCANCEL, L"閉じる");
    const INT_PTR result = zq::companion::RunDialog(writer, nullptr, DialogProc, state);
    if (state.worker.joinable()) {  // the dialog could not be made, or ended another way
        state.cancel = true;
        state.worker.join();
    }
    return result == IDCANCEL;
}
