#include "filer/CDispFileSettingDlg.h"

#include <string>

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

constexpr int kBoxControls[kDispFileBoxCount] = {
    IDC_DISP_HIDDEN, IDC_DISP_SYSTEM, IDC_DISP_DOT, IDC_DISP_READONLY, IDC_DISP_CURRENT_DIR, IDC_DISP_PARENT_DIR,
};

}  // namespace

CDispFileSettingDlg::CDispFileSettingDlg(HWND parent, uint32_t current, std::array<uint32_t, 5>& groups)
    : ui::CDialog(IDD_DISP_FILE_SETTING, parent), m_form(current, groups), m_groups(groups) {}

bool CDispFileSettingDlg::OnInitDialog() {
    HWND selector = GetDlgItem(IDC_DISP_GROUP);
    ::SendMessageW(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"現在値"));
    for (size_t n = 1; n <= m_groups.size(); ++n) {
        const std::wstring item = L"設定" + std::to_wstring(n);
        ::SendMessageW(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    ::SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(m_form.Selected()), 0);
    ShowSelection();
    return true;
}

void CDispFileSettingDlg::DoDataExchange(ui::DataExchange& dx) {
    DispFileBoxes& boxes = m_form.Boxes();
    for (int i = 0; i < kDispFileBoxCount; ++i) dx.Check(kBoxControls[i], boxes[static_cast<size_t>(i)]);
}

void CDispFileSettingDlg::ShowSelection() {
    UpdateData(false);
    EnableItem(IDC_DISP_STORE, m_form.Selected() != DispFileSettingForm::kCurrent);
}

bool CDispFileSettingDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_DISP_GROUP && code == CBN_SELCHANGE) {
        UpdateData(true);
        m_form.Select(static_cast<int>(::SendMessageW(GetDlgItem(IDC_DISP_GROUP), CB_GETCURSEL, 0, 0)));
        ShowSelection();
        return true;
    }
    if (id == IDC_DISP_STORE && code == BN_CLICKED) {
        UpdateData(true);
        if (!m_form.Store()) return true;
        m_groups = m_form.Groups();
        ui::ZqMessageBox(m_hWnd, L"設定が完了しました", L"完了", MB_OK);
        return true;
    }
    return false;
}

}  // namespace zq
