#include "picture/CZoomSettingDlg.h"

#include <algorithm>

#include "resource.h"

namespace zq {

CZoomSettingDlg::CZoomSettingDlg(HWND parent, const Values& values)
    : CDialog(IDD_ZOOM_SETTINGS, parent), m_values(values) {}

bool CZoomSettingDlg::OnInitDialog() {
    const HWND fixed = GetDlgItem(IDC_ZOOM_FIXED);
    ::SendMessageW(fixed, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"倍率設定しない"));
    for (int i = 0; i < picture::kZoomCount; ++i) {
        const wchar_t* label = picture::kZoomTable[static_cast<size_t>(i)].label;
        ::SetDlgItemTextW(m_hWnd, IDC_ZOOM_STEP0 + i, label);
        ::CheckDlgButton(m_hWnd, IDC_ZOOM_STEP0 + i,
                         m_values.steps[static_cast<size_t>(i)] != 0 ? BST_CHECKED : BST_UNCHECKED);
        ::SendMessageW(fixed, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    }
    ::SendMessageW(fixed, LB_SETCURSEL, static_cast<WPARAM>(std::clamp(m_values.fixed, 0, picture::kZoomCount)), 0);
    ::CheckDlgButton(m_hWnd, IDC_ZOOM_REMEMBER, m_values.remember ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

void CZoomSettingDlg::OnOK() {
    for (int i = 0; i < picture::kZoomCount; ++i)
        m_values.steps[static_cast<size_t>(i)] =
            ::IsDlgButtonChecked(m_hWnd, IDC_ZOOM_STEP0 + i) == BST_CHECKED ? 1 : 0;
    const LRESULT row = ::SendDlgItemMessageW(m_hWnd, IDC_ZOOM_FIXED, LB_GETCURSEL, 0, 0);
    m_values.fixed = row == LB_ERR ? 0 : static_cast<int>(row);
    m_values.remember = ::IsDlgButtonChecked(m_hWnd, IDC_ZOOM_REMEMBER) == BST_CHECKED;
    EndDialog(IDOK);
}

}  // namespace zq
