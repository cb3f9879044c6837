#include "settings/CAllDefFilerSetting.h"

#include "resource.h"

namespace zq {

namespace {

// VIEWFILETIMETYPE: 0 creation, 1 last access, 2 last write.
constexpr const wchar_t* kTimeTypes[] = {L"作成日時", L"最終アクセス日時", L"更新日時"};

}  // namespace

CAllDefFilerSetting::CAllDefFilerSetting(Settings& edit) : CSettingsPage(IDD_ALLDEF_FILER, edit) {}

bool CAllDefFilerSetting::OnInitDialog() {
    for (const wchar_t* type : kTimeTypes)
        ::SendDlgItemMessageW(m_hWnd, IDC_VIEWFILETIMETYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    return CDialog::OnInitDialog();
}

void CAllDefFilerSetting::DoDataExchange(ui::DataExchange& dx) {
    dx.Int(IDC_FILEKINDMAXLONG, m_edit.FILEKINDMAXLONG, 0, 260);
    dx.Int(IDC_FILENAMELONG, m_edit.FILENAMELONG, 1, 260);
    dx.Int(IDC_FILECHARTYPE, m_edit.FILECHARTYPE, 0, 255);
    int timeType = m_edit.VIEWFILETIMETYPE;
    dx.ComboIndex(IDC_VIEWFILETIMETYPE, timeType);
    if (dx.Saving() && timeType >= 0) m_edit.VIEWFILETIMETYPE = timeType;
    dx.Int(IDC_SUMSAVECURPOS, m_edit.SUMSAVECURPOS, 0, 1000);
    dx.Check(IDC_NOTVIEWUPDIR, m_edit.NOTVIEWUPDIR);
    dx.Check(IDC_NOTVIEWCURRENTDIR, m_edit.NOTVIEWCURRENTDIR);
    dx.Check(IDC_CHYNCROSORT, m_edit.CHYNCROSORT);
    dx.Check(IDC_HIDDENVIEWFLAG, m_edit.HIDDENVIEWFLAG);
    dx.Check(IDC_DISP_READ_ONLY_FILE, m_edit.DISP_READ_ONLY_FILE);
    dx.Check(IDC_DISP_SYSTEM_FILE, m_edit.DISP_SYSTEM_FILE);
    dx.Check(IDC_DISP_FIRST_DOT_FILE, m_edit.DISP_FIRST_DOT_FILE);
    dx.Check(IDC_USE_STR_CMP_LOGICAL_W, m_edit.USE_STR_CMP_LOGICAL_W);
}

}  // namespace zq
