// The directory tree (@Dirtreeview: the current drive; @Drivetreeview: every
// drive): a tree view whose folders are read when they are first opened,
// opened at the pane's directory.  Return or a double click on a folder, or
// "移動", hands the folder back to the pane; "再読込" reads the chosen
// folder's branch from the disk again.
#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "DllModule.h"
#include "ZqDll.h"
#include "common/DirTreeCache.h"
#include "common/Paths.h"

namespace {

using zq::DirTreeCache;
using zq::companion::kButtonAtom;
using zq::companion::kStaticAtom;

constexpr WORD kTreeId = 101;
constexpr WORD kReloadId = 102;
constexpr WORD kPathId = 103;
constexpr wchar_t kTreeFileName[] = L"ZqDirTree.dat";

// Kept while the program runs, for SAVEDRIVETREETOMEMORY.
DirTreeCache g_memoryTree;

std::optional<std::vector<std::wstring>> ReadSubFolders(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileExW(zq::JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data,
                                           FindExSearchLimitToDirectories, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        // An empty drive answers "no files"; that is a folder without sub-folders, not a failure.
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<std::wstring>{};
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        names.emplace_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

struct TreeState {
    StructZqDirTreeRequest* request = nullptr;
    DirTreeCache cache;
    std::deque<std::wstring> paths;  // an item's lParam is its index here
    std::wstring chosen;
};

const std::wstring& PathOf(const TreeState& state, HWND tree, HTREEITEM item) {
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    TreeView_GetItem(tree, &data);
    return state.paths[static_cast<size_t>(data.lParam)];
}

HTREEITEM AddItem(TreeState& state, HWND tree, HTREEITEM parent, const std::wstring& text, const std::wstring& path) {
    state.paths.push_back(path);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = static_cast<LPARAM>(state.paths.size() - 1);
    // Whether a folder has sub-folders is known only once it is read: until
    // then it shows the button, and loses it when opened and found empty.
    insert.item.cChildren = !state.cache.Known(path) || !state.cache.SubFolders(path, nullptr).empty() ? 1 : 0;
    return TreeView_InsertItem(tree, &insert);
}

void FillChildren(TreeState& state, HWND tree, HTREEITEM item) {
    if (TreeView_GetChild(tree, item)) return;
    const std::wstring path = PathOf(state, tree, item);
    const std::vector<std::wstring> names = state.cache.SubFolders(path, ReadSubFolders);
    for (const std::wstring& name : names) AddItem(state, tree, item, name, zq::JoinPath(path, name));
    if (names.empty()) {
        TVITEMW data{};
        data.mask = TVIF_CHILDREN;
        data.hItem = item;
        data.cChildren = 0;
        TreeView_SetItem(tree, &data);
    }
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const TreeState& state, const std::wstring& path) {
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        if (zq::SamePath(PathOf(state, tree, child), path)) return child;
    return nullptr;
}

// Opens the tree down to `path` as far as its folders are there.
HTREEITEM OpenDownTo(TreeState& state, HWND tree, const std::wstring& path) {
    const std::vector<std::wstring> chain = DirTreeCache::Chain(path);
    if (chain.empty()) return nullptr;
    HTREEITEM item = nullptr;
    for (HTREEITEM top = TreeView_GetRoot(tree); top && !item; top = TreeView_GetNextSibling(tree, top))
        if (zq::SamePath(PathOf(state, tree, top), chain[0])) item = top;
    for (size_t n = 1; item && n < chain.size(); ++n) {
        FillChildren(state, tree, item);
        HTREEITEM next = ChildNamed(tree, item, state, chain[n]);
        if (!next && state.cache.Known(PathOf(state, tree, item))) {
            // Made since the tree was kept: read this folder again, once.
            state.cache.Forget(PathOf(state, tree, item));
            while (HTREEITEM child = TreeView_GetChild(tree, item)) TreeView_DeleteItem(tree, child);
            FillChildren(state, tree, item);
            next = ChildNamed(tree, item, state, chain[n]);
        }
        if (!next) break;
        TreeView_Expand(tree, item, TVE_EXPAND);
        item = next;
    }
    return item;
}

bool IsVirtualLetter(const StructZqDirTreeRequest& request, wchar_t letter) {
    const wchar_t upper = letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
    return request.VirtualDrives && upper >= L'A' && upper <= L'Z' && request.VirtualDrives[upper - L'A'] != 0;
}

void AddTops(TreeState& state, HWND tree, const std::wstring& current) {
    if (!state.request->AllDrives) {
        const std::wstring root = zq::RootOf(current);
        if (!root.empty()) AddItem(state, tree, TVI_ROOT, root, root);
        return;
    }
    const DWORD drives = ::GetLogicalDrives();
    for (int n = 0; n < 26; ++n) {
        const wchar_t letter = static_cast<wchar_t>(L'A' + n);
        if (!(drives & (1u << n)) || IsVirtualLetter(*state.request, letter)) continue;
        const std::wstring root = std::wstring(1, letter) + L":\\";
        AddItem(state, tree, TVI_ROOT, root, root);
    }
}

void ShowChosen(const TreeState& state, HWND dialog, HWND tree) {
    const HTREEITEM item = TreeView_GetSelection(tree);
    ::SetDlgItemTextW(dialog, kPathId, item ? PathOf(state, tree, item).c_str() : L"");
    ::EnableWindow(::GetDlgItem(dialog, IDOK), item != nullptr);
}

void Reload(TreeState& state, HWND tree) {
    const HTREEITEM item = TreeView_GetSelection(tree);
    if (!item) return;
    state.cache.Forget(PathOf(state, tree, item));
    while (HTREEITEM child = TreeView_GetChild(tree, item)) TreeView_DeleteItem(tree, child);
    TVITEMW data{};
    data.mask = TVIF_CHILDREN;
    data.hItem = item;
    data.cChildren = 1;
    TreeView_SetItem(tree, &data);
    FillChildren(state, tree, item);
    TreeView_Expand(tree, item, TVE_EXPAND);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = zq::companion::DialogStateOf<TreeState>(dialog, message, lParam);
    const HWND tree = ::GetDlgItem(dialog, kTreeId);
    switch (message) {
        case WM_INITDIALOG: {
            const std::wstring current = state->request->CurrentDirectory ? state->request->CurrentDirectory : L"";
            AddTops(*state, tree, current);
            HTREEITEM item = OpenDownTo(*state, tree, current);
            if (!item) item = TreeView_GetRoot(tree);
            if (item) {
                TreeView_SelectItem(tree, item);
                TreeView_EnsureVisible(tree, item);
            }
            ShowChosen(*state, dialog, tree);
            ::SetFocus(tree);
            return FALSE;  // the focus is set
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom != kTreeId) break;
            if (header->code == TVN_ITEMEXPANDINGW) {
                const auto* view = reinterpret_cast<const NMTREEVIEWW*>(lParam);
                if (view->action & TVE_EXPAND) FillChildren(*state, tree, view->itemNew.hItem);
            } else if (header->code == TVN_SELCHANGEDW) {
                ShowChosen(*state, dialog, tree);
            } else if (header->code == NM_DBLCLK) {
                ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            }
            break;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kReloadId) {
                Reload(*state, tree);
                return TRUE;
            }
            if (zq::companion::EndOnOkOrCancel(dialog, wParam, [&] {
                    const HTREEITEM item = TreeView_GetSelection(tree);
                    if (!item) return false;
                    state->chosen = PathOf(*state, tree, item);
                    return true;
                }))
                return TRUE;
            break;
        default:
            break;
    }
    return FALSE;
}

std::wstring TreeFilePath(const StructZqDirTreeRequest& request) {
    return request.ProgramDirectory && *request.ProgramDirectory ? zq::JoinPath(request.ProgramDirectory, kTreeFileName)
                                                                 : std::wstring();
}

}  // namespace

extern "C" BOOL WINAPI ZqDirTreeDlg(StructZqDirTreeRequest* request) {
    if (!request || request->cbSize < sizeof(StructZqDirTreeRequest)) return FALSE;
    request->Directory[0] = L'\0';
    const std::wstring current = request->CurrentDirectory ? request->CurrentDirectory : L"";
    if (!request->AllDrives && (zq::RootOf(current).empty() || IsVirtualLetter(*request, current[0]))) {
        // A virtual drive's folders are the program's own list, not the disk's.
        ::MessageBoxW(request->hwndOwner, L"このディレクトリはツリー表示できません。", L"ディレクトリツリー",
                      MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    TreeState state;
    state.request = request;
    const std::wstring file = TreeFilePath(*request);
    if (request->SaveToMemory && !g_memoryTree.Empty())
        state.cache = g_memoryTree;
    else if (request->SaveToFile && !file.empty())
        state.cache = DirTreeCache::Load(file);

    const wchar_t* title = request->AllDrives ? L"ドライブツリー" : L"ディレクトリツリー";
    zq::companion::TemplateWriter writer;
    writer.Dialog(0, 240, 230, title, 5);
    writer.Item(WC_TREEVIEWW,
                WS_BORDER | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                    TVS_SHOWSELALWAYS,
                7, 7, 226, 180, kTreeId);
    writer.Item(kStaticAtom, SS_LEFT | SS_PATHELLIPSIS, 7, 191, 226, 10, kPathId, L"");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 7, 207, 60, 14, kReloadId, L"再読込(&R)");
    writer.Item(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 119, 207, 55, 14, IDOK, L"移動");
    writer.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 178, 207, 55, 14, IDCANCEL, L"キャンセル");
    const INT_PTR answer = zq::companion::RunDialog(writer, request->hwndOwner, DialogProc, state);

    // What was read is kept also after a cancel: reading it was the slow part.
    if (request->SaveToMemory) g_memoryTree = state.cache;
    if (request->SaveToFile && !file.empty()) (void)state.cache.Save(file);
    if (answer != IDOK || state.chosen.empty() || state.chosen.size() >= ZQ_DIRTREE_PATH_CHARS) return FALSE;
    state.chosen.copy(request->Directory, state.chosen.size());
    request->Directory[state.chosen.size()] = L'\0';
    return TRUE;
}
