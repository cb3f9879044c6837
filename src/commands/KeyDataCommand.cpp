#include "commands/KeyDataCommand.h"

#include <commdlg.h>

#include <vector>

#include "commands/KeyDataImport.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

// The common open-file helper has no default extension, which this dialog
// needs so that a name typed without ".INI" still finds the file.
bool ChooseKeyDataFile(HWND owner, const std::wstring& start, std::wstring& chosen) {
    const std::wstring filter = FileDialogFilter(kKeyDataFilter);
    std::vector<wchar_t> buffer(32768, L'\0');
    start.copy(buffer.data(), buffer.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = kKeyDataDefaultExtension;
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameW(&ofn)) return false;
    chosen = buffer.data();
    return true;
}

}  // namespace

bool RunReadKeyData(HWND owner, const std::wstring& mainIniPath, KeyAssignments& keys) {
    std::wstring path;
    if (!ChooseKeyDataFile(owner, mainIniPath, path)) return false;
    if (!ImportKeyData(path, keys)) {
        ui::ZqMessageBox(owner, std::wstring(kKeyDataReadFailed));
        return false;
    }
    return true;
}

}  // namespace zq
