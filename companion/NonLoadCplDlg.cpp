// The dialog that edits NONLOADCPL: every control-panel file of the system,
// plus entries the user made earlier for files that are gone, in one list;
// the selected ones are not loaded.  The library carries no resource script,
// so the dialog template is put together in memory.
#include <algorithm>
#include <string>
#include <vector>

#include "DllModule.h"
#include "SystemCpl.h"
#include "ZqDll.h"
#include "common/Paths.h"
#include "external/NonLoadCpl.h"

namespace {

constexpr WORD kListId = 100;
constexpr WORD kLabelId = 101;

class TemplateWriter {
public:
    void Dialog(DWORD style, short cx, short cy, const wchar_t* title, WORD count) {
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        header.cdit = count;
        header.cx = cx;
        header.cy = cy;
        Raw(&header, sizeof(header));
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(title);
        Word(9);
        Text(L"MS UI Gothic");
    }
    void Item(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text) {
        Align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Raw(&item, sizeof(item));
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
    }
    [[nodiscard]] const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Text(const wchar_t* text) {
        for (; *text; ++text) Word(static_cast<WORD>(*text));
        Word(0);
    }
    void Raw(const void* data, size_t bytes) {
        const auto* words = static_cast<const WORD*>(data);
        m_words.insert(m_words.end(), words, words + bytes / sizeof(WORD));
    }
    void Align() {
        if (m_words.size() % 2) Word(0);
    }
    std::vector<WORD> m_words;  // a vector of WORD keeps the template 2-byte aligned; items align to 4 themselves
};

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
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            FillList(dialog, *reinterpret_cast<DialogState*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && state) {
                if (StoreSelection(dialog, *state)) ::EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

extern "C" BOOL WINAPI OnSetNonLoadCpl(StructZqCplContext* context) {
    if (!context || context->cbSize < sizeof(StructZqCplContext)) return FALSE;
    TemplateWriter writer;
    writer.Dialog(0, 220, 170, L"読み込まないコントロールパネル", 4);
    writer.Item(0x0082, SS_LEFT, 7, 7, 206, 10, kLabelId, L"読み込まないファイルを選んでください（10個まで）");
    writer.Item(0x0083,
                WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS, 7,
                20, 206, 122, kListId, L"");
    writer.Item(0x0080, BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 149, 50, 14, IDOK, L"OK");
    writer.Item(0x0080, BS_PUSHBUTTON | WS_TABSTOP, 163, 149, 50, 14, IDCANCEL, L"キャンセル");

    DialogState state;
    state.context = context;
    const INT_PTR result = ::DialogBoxIndirectParamW(zq::companion::g_module, writer.Get(), context->hwndOwner,
                                                     DialogProc, reinterpret_cast<LPARAM>(&state));
    return result == IDOK;
}
