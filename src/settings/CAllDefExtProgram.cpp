#include "settings/CAllDefExtProgram.h"

#include "resource.h"

namespace zq {

CAllDefExtProgram::CAllDefExtProgram(Settings& edit) : CSettingsPage(IDD_ALLDEF_EXTPROGRAM, edit) {}

bool CAllDefExtProgram::OnInitDialog() {
    for (const wchar_t* shell : {L"command.com", L"CMD.EXE"})
        ::SendDlgItemMessageW(m_hWnd, IDC_DOSSHELL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shell));
    return CDialog::OnInitDialog();
}

void CAllDefExtProgram::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_EDITORNAME, m_edit.EDITORNAME, 520);
    dx.Text(IDC_ONEDEFEDIT, m_edit.ONEDEFEDIT, 520);
    dx.Text(IDC_SOMEDEFEDIT, m_edit.SOMEDEFEDIT, 520);
    dx.ComboText(IDC_DOSSHELL, m_edit.DOSSHELL);
    if (dx.Saving() && m_edit.DOSSHELL.size() > 519) m_edit.DOSSHELL.resize(519);
    dx.Text(IDC_EDITOR_OPEN_UNICODE_OPTION, m_edit.EDITOR_OPEN_UNICODE_OPTION, 520);
}

}  // namespace zq
