// The launcher (@Lancher): the user's list of programs, each with its
// parameters, working directory and a key of its own.  The entry's key, or
// Return or a double click on its line, chooses it; the program runs it.
// The list is edited here too ("追加", "変更", "削除"), and the caller
// stores it when it changed.
#include <algorithm>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "DllModule.h"
#include "ZqDll.h"
#include "common/Paths.h"

namespace {

using zq::companion::ItemText;
using zq::companion::kButtonAtom;
using zq::companion::kEditAtom;
using zq::companion::kListBoxAtom;
using zq::companion::kStaticAtom;

constexpr WORD kListId = 101;
constexpr WORD kAddId = 102;
constexpr WORD kChangeId = 103;
constexpr WORD kRemoveId = 104;
constexpr WORD kProgramId = 111;
constexpr WORD kParametersId = 112;
constexpr WORD kDirectoryId = 113;
constexpr WORD kKeyId = 114;
constexpr wchar_t kTitle[] = L"ランチャー";

struct LauncherState {
    StructZqLauncherRequest* request = nullptr;
    std::vector<StructZqLauncherEntry> entries;
    int chosen = -1;
    bool changed = false;
};

struct EntryEdit {
    const StructZqLauncherRequest* request = nullptr;
    StructZqLauncherEntry entry{};
};

const wchar_t* KeyNameOf(const StructZqLauncherRequest& request, UINT virtualKey) {
    for (int32_t n = 0; request.Keys && n < request.KeyCount; ++n)
        if (request.Keys[n].VirtualKey == virtualKey && request.Keys[n].Name) return request.Keys[n].Name;
    return nullptr;
}

bool IsKeyName(const StructZqLauncherRequest& request, const std::wstring& name) {
    for (int32_t n = 0; request.Keys && n < request.KeyCount; ++n)
        if (request.Keys[n].Name && zq::SameIgnoringCase(request.Keys[n].Name, name)) return true;
    return false;
}

void CopyField(wchar_t (&field)[ZQ_LAUNCHER_CHARS], const std::wstring& text) {
    const size_t length = std::min(text.size(), static_cast<size_t>(ZQ_LAUNCHER_CHARS - 1));
    text.copy(field, length);
    field[length] = L'\0';
}

std::wstring LineOf(const StructZqLauncherEntry& entry) {
    std::wstring line = entry.KeyName[0] ? entry.KeyName : L"-";
    line += L"\t";
    line += entry.Program;
    if (entry.Parameters[0]) line += L" " + std::wstring(entry.Parameters);
    return line;
}

void FillList(const LauncherState& state, HWND dialog, int select) {
    const HWND list = ::GetDlgItem(dialog, kListId);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const StructZqLauncherEntry& entry : state.entries)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LineOf(entry).c_str()));
    const int count = static_cast<int>(state.entries.size());
    if (count > 0) ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::clamp(select, 0, count - 1)), 0);
    ::EnableWindow(::GetDlgItem(dialog, kAddId), count < ZQ_LAUNCHER_MAX_ENTRIES);
    ::EnableWindow(::GetDlgItem(dialog, kChangeId), count > 0);
    ::EnableWindow(::GetDlgItem(dialog, kRemoveId), count > 0);
    ::EnableWindow(::GetDlgItem(dialog, IDOK), count > 0);
}

int Selected(HWND dialog) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, kListId, LB_GETCURSEL, 0, 0));
}

INT_PTR CALLBACK EntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* edit = zq::companion::DialogStateOf<EntryEdit>(dialog, message, lParam);
    switch (message) {
        case WM_INITDIALOG:
            for (WORD id : {kProgramId, kParametersId, kDirectoryId, kKeyId})
                ::SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, ZQ_LAUNCHER_CHARS - 1, 0);
            ::SetDlgItemTextW(dialog, kProgramId, edit->entry.Program);
            ::SetDlgItemTextW(dialog, kParametersId, edit->entry.Parameters);
            ::SetDlgItemTextW(dialog, kDirectoryId, edit->entry.Directory);
            ::SetDlgItemTextW(dialog, kKeyId, edit->entry.KeyName);
            return TRUE;
        case WM_COMMAND:
            if (zq::companion::EndOnOkOrCancel(dialog, wParam, [&] {
                    const std::wstring program = ItemText(dialog, kProgramId);
                    const std::wstring key = ItemText(dialog, kKeyId);
                    if (program.empty()) {
                        ::MessageBoxW(dialog, L"プログラムを入力してください。", kTitle, MB_OK | MB_ICONWARNING);
                        ::SetFocus(::GetDlgItem(dialog, kProgramId));
                        return false;
                    }
                    if (!key.empty() && !IsKeyName(*edit->request, key)) {
                        ::MessageBoxW(dialog, (L"キー \"" + key + L"\" はありません。").c_str(), kTitle,
                                      MB_OK | MB_ICONWARNING);
                        ::SetFocus(::GetDlgItem(dialog, kKeyId));
                        return false;
                    }
                    CopyField(edit->entry.Program, program);
                    CopyField(edit->entry.Parameters, ItemText(dialog, kParametersId));
                    CopyField(edit->entry.Directory, ItemText(dialog, kDirectoryId));
                    CopyField(edit->entry.KeyName, key);
                    return true;
                }))
                return TRUE;
            break;
        default:
            break;
    }
    return FALSE;
}

bool EditEntry(HWND owner, const StructZqLauncherRequest& request, StructZqLauncherEntry& entry) {
    struct Row {
        WORD id;
        const wchar_t* label;
    };
    constexpr Row kRows[] = {{kProgramId, L"プログラム(&P)"},
                             {kParametersId, L"パラメータ(&R)"},
                             {kDirectoryId, L"作業ディレクトリ(&D)"},
                             {kKeyId, L"キー(&K)"}};
    zq::companion::TemplateWriter writer;
    writer.Dialog(0, 260, 96, L"ランチャーの項目", 2 * static_cast<WORD>(std::size(kRows)) + 2);
    short y = 7;
    for (const Row& row : kRows) {
        writer.Item(kStaticAtom, SS_LEFT, 7, static_cast<short>(y + 2), 75, 10, 0xFFFF, row.label);
        writer.Item(kEditAtom, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 84, y, 169, 12, row.id, L"");
        y = static_cast<short>(y + 16);
    }
    writer.Item(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 144, 75, 52, 14, IDOK, L"OK");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 201, 75, 52, 14, IDCANCEL, L"キャンセル");
    EntryEdit edit{&request, entry};
    if (zq::companion::RunDialog(writer, owner, EntryProc, edit) != IDOK) return false;
    entry = edit.entry;
    return true;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = zq::companion::DialogStateOf<LauncherState>(dialog, message, lParam);
    switch (message) {
        case WM_INITDIALOG: {
            const INT tabs[] = {40};
            ::SendDlgItemMessageW(dialog, kListId, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(tabs));
            FillList(*state, dialog, 0);
            return TRUE;
        }
        case WM_VKEYTOITEM: {
            // A key that names an entry runs it; any other key moves in the list as usual.
            const UINT key = LOWORD(wParam);
            if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return -1;
            const wchar_t* name = KeyNameOf(*state->request, key);
            for (size_t n = 0; name && n < state->entries.size(); ++n) {
                if (zq::SameIgnoringCase(state->entries[n].KeyName, name)) {
                    state->chosen = static_cast<int>(n);
                    ::EndDialog(dialog, IDOK);
                    return -2;
                }
            }
            return -1;
        }
        case WM_COMMAND: {
            const int at = Selected(dialog);
            switch (LOWORD(wParam)) {
                case kListId:
                    if (HIWORD(wParam) == LBN_DBLCLK) ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                    return TRUE;
                case kAddId: {
                    StructZqLauncherEntry entry{};
                    if (state->entries.size() >= ZQ_LAUNCHER_MAX_ENTRIES || !EditEntry(dialog, *state->request, entry))
                        return TRUE;
                    state->entries.push_back(entry);
                    state->changed = true;
                    FillList(*state, dialog, static_cast<int>(state->entries.size()) - 1);
                    return TRUE;
                }
                case kChangeId:
                    if (at >= 0 && EditEntry(dialog, *state->request, state->entries[static_cast<size_t>(at)])) {
                        state->changed = true;
                        FillList(*state, dialog, at);
                    }
                    return TRUE;
                case kRemoveId:
                    if (at >= 0) {
                        state->entries.erase(state->entries.begin() + at);
                        state->changed = true;
                        FillList(*state, dialog, at);
                    }
                    return TRUE;
                default:
                    break;
            }
            if (zq::companion::EndOnOkOrCancel(dialog, wParam, [&] {
                    state->chosen = at;
                    return at >= 0;
                }))
                return TRUE;
            break;
        }
        default:
            break;
    }
    return FALSE;
}

}  // namespace

extern "C" int WINAPI OnLancher(StructZqLauncherRequest* request) {
    if (!request || request->cbSize < sizeof(StructZqLauncherRequest) || !request->Entries) return -1;
    request->Changed = 0;
    LauncherState state;
    state.request = request;
    const int32_t count = std::clamp(request->Count, 0, static_cast<int32_t>(ZQ_LAUNCHER_MAX_ENTRIES));
    state.entries.assign(request->Entries, request->Entries + count);
    for (StructZqLauncherEntry& entry : state.entries) {  // the texts are shown: make sure they end
        entry.Program[ZQ_LAUNCHER_CHARS - 1] = entry.Parameters[ZQ_LAUNCHER_CHARS - 1] = L'\0';
        entry.Directory[ZQ_LAUNCHER_CHARS - 1] = entry.KeyName[ZQ_LAUNCHER_CHARS - 1] = L'\0';
    }

    zq::companion::TemplateWriter writer;
    writer.Dialog(0, 260, 170, kTitle, 6);
    writer.Item(kListBoxAtom,
                WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT |
                    LBS_NOINTEGRALHEIGHT,
                7, 7, 246, 136, kListId, L"");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 7, 149, 44, 14, kAddId, L"追加(&A)...");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 55, 149, 44, 14, kChangeId, L"変更(&E)...");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 103, 149, 44, 14, kRemoveId, L"削除(&D)");
    writer.Item(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 157, 149, 46, 14, IDOK, L"実行");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 207, 149, 46, 14, IDCANCEL, L"閉じる");
    const INT_PTR answer = zq::companion::RunDialog(writer, request->hwndOwner, DialogProc, state);
    if (answer == -1) return -1;
    if (state.changed) {
        std::copy(state.entries.begin(), state.entries.end(), request->Entries);
        request->Count = static_cast<int32_t>(state.entries.size());
        request->Changed = 1;
    }
    return answer == IDOK ? state.chosen : -1;
}
