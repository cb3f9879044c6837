#include "commands/CKeyConfigDlg.h"

#include "commands/KeyDataImport.h"
#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zq {

namespace {

constexpr std::wstring_view kAllFilesFilter = L"すべてのファイル|*.*||";

}  // namespace

CKeyConfigDlg::CKeyConfigDlg(KeyAssignments& keys, HWND parent)
    : CKeyConfigBase(IDD_KEYCONFIG, keys, ModeGroup::Filer, parent) {}

bool CKeyConfigDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (code != BN_CLICKED) return CKeyConfigBase::OnCommand(id, code, control);
    KeyConfigEditor& editor = Editor();
    switch (id) {
        case IDC_KEYCFG_SETTEXT:
            Store(editor.AssignText(GetDlgItemText(IDC_KEYCFG_TEXT)));
            return true;
        case IDC_KEYCFG_SETDIR:
            Store(editor.AssignKeyJumpDir(GetDlgItemText(IDC_KEYCFG_DIR)));
            return true;
        case IDC_KEYCFG_SETFILE:
            Store(editor.AssignProgram(GetDlgItemText(IDC_KEYCFG_FILE), GetDlgItemText(IDC_KEYCFG_PARAMS)));
            return true;
        case IDC_KEYCFG_SETDEFAULTEXE:
            Store(editor.AssignDefaultExe(GetDlgItemText(IDC_KEYCFG_FILE), GetDlgItemText(IDC_KEYCFG_PARAMS)));
            return true;
        case IDC_KEYCFG_DIRBROWSE:
            BrowseDirectory();
            return true;
        case IDC_KEYCFG_FILEBROWSE:
            BrowseFile();
            return true;
        default:
            return CKeyConfigBase::OnCommand(id, code, control);
    }
}

void CKeyConfigDlg::ShowSlotFields() {
    // The fields of the form the slot holds are filled; the others keep what
    // the user typed, so a program can be tried on several keys in a row.
    const ParsedAssignment parts = Editor().CurrentParts();
    switch (parts.form) {
        case AssignmentForm::Command:
            if (parts.word == kKeyJumpDirCommand) SetDlgItemText(IDC_KEYCFG_DIR, parts.argument);
            break;
        case AssignmentForm::DefaultExe:
        case AssignmentForm::Program:
            SetDlgItemText(IDC_KEYCFG_FILE, parts.program);
            SetDlgItemText(IDC_KEYCFG_PARAMS, parts.parameters);
            break;
        default:
            break;
    }
}

void CKeyConfigDlg::BrowseDirectory() {
    if (auto folder = ui::ChooseFolder(m_hWnd, L"DIR名", GetDlgItemText(IDC_KEYCFG_DIR)))
        SetDlgItemText(IDC_KEYCFG_DIR, *folder);
}

void CKeyConfigDlg::BrowseFile() {
    const std::wstring filter = FileDialogFilter(kAllFilesFilter);
    if (auto file = ui::ChooseOpenFile(m_hWnd, L"ファイル実行", filter.c_str())) SetDlgItemText(IDC_KEYCFG_FILE, *file);
}

}  // namespace zq
