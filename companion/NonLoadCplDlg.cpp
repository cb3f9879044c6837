// The dialog that edits NONLOADCPL: every control-panel file of the system,
// plus entries the user made earlier for files that are gone, in one list;
// the selected ones are not loaded.
#include <algorithm>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "DllModule.h"
#include "SystemCpl.h"
#include "ZqDll.h"
#include "common/Paths.h"
#include "external/NonLoadCpl.h"

namespace {

constexpr WORD kListId = 100;
constexpr WORD kLabelId = 101;

struct DialogState {
    StructZqCplContext* context = nullptr;
    std::vector<std::wstring> entries;  // what the list shows, in list order
};

void FillList(HWND dialog, DialogState& state) {
    const std::vector<std::wstring> current = zq::NonLoadCplList(*state.context);
    for (const auto& path : zq::companion::SystemCplFiles()) state.entries.emplace_back(zq::FileNamePart(path));
    const std::vector<std::wstring> systemNames = state.entries;
    for (const auto& entry : current) {
        if (!zq::IsNonLoadCpl(entry, systemNames)) state.entries.push_back(entry);
    }
    const HWND list = ::GetDlgItem(dialog, kListId);
    for (const auto& entry : state.entries) {
        const auto index = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (index >= 0 && zq::IsNonLoadCpl(entry, current)) ::SendMessageW(list, LB_SETSEL, TRUE, index);
    }
}

bool StoreSelection(HWND dialog, DialogState& state) {
    const HWND list = ::GetDlgItem(dialog, kListId);
    const auto count = ::SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    if (count > ZQ_NONLOADCPL_COUNT) {
        ::MessageBoxW(dialog, L"選択できるのは10個までです", L"", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::vector<int> selected(static_cast<size_t>(std::max<LRESULT>(count, 0)));
    if (count > 0) ::SendMessageW(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(selected.data()));
    std::vector<std::wstring> chosen;
    for (int index : selected) {
        // The list is unsorted, so its indices are those of the entries.
        if (index >= 0 && static_cast<size_t>(index) < state.entries.size()) chosen.push_back(state.entries[index]);
    }
    zq::StoreNonLoadCplList(chosen, *state.context);
    return true;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = zq::companion::DialogStateOf<DialogState>(dialog, message, lParam);
    switch (message) {
        case WM_INITDIALOG:
            FillList(dialog, *state);
            return TRUE;
        case WM_COMMAND:
            if (state && zq::companion::EndOnOkOrCancel(dialog, wParam, [&] { return StoreSelection(dialog, *state); }))
                return TRUE;
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

extern "C" BOOL WINAPI OnSetNonLoadCpl(StructZqCplContext* context) {
    if (!context || context->cbSize < sizeof(StructZqCplContext)) return FALSE;
    zq::companion::TemplateWriter writer;
    writer.Dialog(0, 220, 170, L"読み込まないコントロールパネル", 4);
    writer.Item(0x0082, SS_LEFT, 7, 7, 206, 10, kLabelId, L"読み込まないファイルを選んでください（10個まで）");
    writer.Item(0x0083, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                7, 20, 206, 122, kListId, L"");
    writer.Item(0x0080, BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 149, 50, 14, IDOK, L"OK");
    writer.Item(0x0080, BS_PUSHBUTTON | WS_TABSTOP, 163, 149, 50, 14, IDCANCEL, L"キャンセル");

    DialogState state;
    state.context = context;
    const INT_PTR result = zq::companion::RunDialog(writer, context->hwndOwner, DialogProc, state);
    return result == IDOK;
}
