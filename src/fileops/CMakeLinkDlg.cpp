#include "fileops/CMakeLinkDlg.h"

#include <cwchar>

#include "common/Paths.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"
#include "ui/CommonDialogs.h"

namespace zq::fileops {

ShortcutFields DefaultShortcutFields(const std::wstring& paneDirectory, const std::wstring& cursorName,
                                     bool cursorIsDirectory, const std::wstring& otherDirectory) {
    ShortcutFields fields;
    const bool onEntry = !cursorName.empty() && cursorName != L"." && cursorName != L"..";
    fields.target = onEntry ? JoinPath(paneDirectory, cursorName) : FolderForm(paneDirectory);
    const std::wstring target = FolderForm(fields.target);
    if (IsRootPath(target) && target.size() >= 2 && target[1] == L':') {
        wchar_t name[32] = {};
        std::swprintf(name, std::size(name), L"(%lc)ドライブ.lnk", static_cast<wint_t>(target[0]));
        fields.fileName = name;
    } else {
        std::wstring base(FileNamePart(target));
        const size_t dot = base.rfind(L'.');
        if (!cursorIsDirectory && onEntry && dot != std::wstring::npos && dot > 0) base.resize(dot);
        fields.fileName = base + L".lnk";
    }
    fields.workingDirectory = paneDirectory;
    fields.saveDirectory = otherDirectory.empty() ? paneDirectory : otherDirectory;
    return fields;
}

std::wstring ShortcutFieldsProblem(const ShortcutFields& fields) {
    if (fields.target.empty() || ::GetFileAttributesW(PlatformPath(fields.target).c_str()) == INVALID_FILE_ATTRIBUTES)
        return L"リンク先が存在しません";
    if (fields.fileName.empty() || !DirectoryExists(fields.saveDirectory)) return L"保存ディレクトリが存在しません";
    return {};
}

CMakeLinkDlg::CMakeLinkDlg(HWND parent, ShortcutFields fields)
    : CDialog(IDD_MAKELINK, parent), m_fields(std::move(fields)) {}

void CMakeLinkDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_LINK_TARGET, m_fields.target, 519);
    dx.Text(IDC_LINK_NAME, m_fields.fileName, 259);
    dx.Text(IDC_LINK_ARGUMENTS, m_fields.arguments, 519);
    dx.Text(IDC_LINK_DESCRIPTION, m_fields.description, 519);
    dx.Text(IDC_LINK_WORKDIR, m_fields.workingDirectory, 519);
    dx.Text(IDC_LINK_SAVEDIR, m_fields.saveDirectory, 519);
}

void CMakeLinkDlg::OnOK() {
    if (!UpdateData(true)) return;
    const std::wstring problem = ShortcutFieldsProblem(m_fields);
    if (!problem.empty()) {
        ui::ZqMessageBox(m_hWnd, problem);
        return;
    }
    EndDialog(IDOK);
}

bool CMakeLinkDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == IDC_LINK_TARGET_BROWSE) {
        if (auto file = ui::ChooseOpenFile(m_hWnd, L"リンク先", L"すべてのファイル\0*.*\0\0",
                                           std::wstring(ParentPart(GetDlgItemText(IDC_LINK_TARGET)))))
            SetDlgItemText(IDC_LINK_TARGET, *file);
        return true;
    }
    const int field = id == IDC_LINK_WORKDIR_BROWSE   ? IDC_LINK_WORKDIR
                      : id == IDC_LINK_SAVEDIR_BROWSE ? IDC_LINK_SAVEDIR
                                                      : 0;
    if (field == 0) return false;
    if (auto folder = ui::ChooseFolder(m_hWnd, L"", GetDlgItemText(field))) SetDlgItemText(field, *folder);
    return true;
}

}  // namespace zq::fileops
