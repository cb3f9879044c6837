#include "filer/ShellContextMenu.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "common/Guard.h"
#include "common/Handle.h"
#include "common/GeneralLog.h"

namespace zq {
namespace {

// The open menu's second interface, for the messages its owner forwards; only
// the window thread touches it, and only while TrackPopupMenu runs.
IContextMenu2* g_pContMenu2 = nullptr;

struct ItemList {
    ITEMIDLIST* value = nullptr;
    ~ItemList() {
        if (value != nullptr) ::CoTaskMemFree(value);
    }
};

// Releases a shell object under the guard; answers false when the release crashed.
bool GuardedRelease(IUnknown* object) {
    if (object == nullptr) return true;
    return GuardedCall([object] { object->Release(); });
}

}  // namespace

bool ShowShellContextMenu(HWND owner, HWND frame, const std::wstring& path, POINT screen,
                          const std::wstring& programDir) {
    ItemList full;
    HRESULT hr = E_FAIL;
    if (!GuardedCall([&] { hr = ::SHParseDisplayName(path.c_str(), nullptr, &full.value, 0, nullptr); }) ||
        FAILED(hr) || full.value == nullptr)
        return false;
    IShellFolder* folder = nullptr;
    PCUITEMID_CHILD child = nullptr;
    if (!GuardedCall(
            [&] { hr = ::SHBindToParent(full.value, IID_IShellFolder, reinterpret_cast<void**>(&folder), &child); }) ||
        FAILED(hr) || folder == nullptr)
        return false;
    IContextMenu* menu = nullptr;
    const bool gotMenu = GuardedCall([&] {
        hr = folder->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&menu));
    });
    (void)GuardedRelease(folder);
    if (!gotMenu || FAILED(hr) || menu == nullptr) return false;

    UniqueMenu popup(::CreatePopupMenu());
    bool chosen = false;
    if (popup) {
        const bool built = GuardedCall(
            [&] { hr = menu->QueryContextMenu(popup.Get(), 0, kShellMenuFirstId, kShellMenuLastId, CMF_NORMAL); });
        if (!built || FAILED(hr)) {
            AppendLog(programDir, nullptr, L"WriteContextMenu %d", static_cast<int>(hr));
        } else {
            IContextMenu2* second = nullptr;
            if (GuardedCall([&] { hr = menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&second)); }) &&
                SUCCEEDED(hr))
                g_pContMenu2 = second;
            const UINT id = static_cast<UINT>(
                ::TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr));
            g_pContMenu2 = nullptr;
            if (!GuardedRelease(second)) AppendLog(programDir, nullptr, L"g_pContMenu2 Release Error(DeleteAll)");
            if (id >= kShellMenuFirstId && id <= kShellMenuLastId) {
                CMINVOKECOMMANDINFO invoke{};
                invoke.cbSize = sizeof(invoke);
                invoke.hwnd = frame;
                invoke.lpVerb = MAKEINTRESOURCEA(id - kShellMenuFirstId);
                invoke.nShow = SW_SHOWNORMAL;
                chosen = GuardedCall([&] { hr = menu->InvokeCommand(&invoke); }) && SUCCEEDED(hr);
            }
        }
    }
    (void)GuardedRelease(menu);
    return chosen;
}

bool ForwardToShellContextMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    IContextMenu2* menu = g_pContMenu2;
    if (menu == nullptr) return false;
    if (message != WM_INITMENUPOPUP && message != WM_DRAWITEM && message != WM_MEASUREITEM) return false;
    HRESULT hr = E_FAIL;
    if (!GuardedCall([&] { hr = menu->HandleMenuMsg(message, wParam, lParam); }) || FAILED(hr)) return false;
    result = message == WM_INITMENUPOPUP ? 0 : TRUE;
    return true;
}

}  // namespace zq
