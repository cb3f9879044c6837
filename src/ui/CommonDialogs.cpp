#include "ui/CommonDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace zq::ui {

std::optional<std::wstring> ChooseOpenFile(HWND owner, const std::wstring& title, const wchar_t* filter,
                                           const std::wstring& initialFolder) {
    std::vector<wchar_t> buffer(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameW(&ofn)) return std::nullopt;
    return std::wstring(buffer.data());
}

std::optional<std::wstring> ChooseSaveFile(HWND owner, const std::wstring& title, const wchar_t* filter,
                                           const std::wstring& initialName, const wchar_t* defaultExt) {
    std::vector<wchar_t> buffer(32768, L'\0');
    initialName.copy(buffer.data(), buffer.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = defaultExt;
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
    return std::wstring(buffer.data());
}

namespace {
int CALLBACK BrowseCallback(HWND hWnd, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}
}  // namespace

std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = initialFolder.empty() ? 0 : reinterpret_cast<LPARAM>(initialFolder.c_str());
    PIDLIST_ABSOLUTE list = ::SHBrowseForFolderW(&info);
    if (!list) return std::nullopt;
    wchar_t path[MAX_PATH * 2] = {};
    const bool ok = ::SHGetPathFromIDListW(list, path);
    ::CoTaskMemFree(list);
    if (!ok) return std::nullopt;
    return std::wstring(path);
}

}  // namespace zq::ui
