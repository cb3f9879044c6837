#include "filer/CExecuteDlg.h"

#include "resource.h"

namespace zq {

CExecuteDlg::CExecuteDlg(HWND parent, std::vector<std::wstring> programs, std::vector<std::wstring> parameters)
    : ui::CDialog(IDD_EXECUTE, parent),
      m_programHistory(std::move(programs)),
      m_parameterHistory(std::move(parameters)) {}

bool CExecuteDlg::OnInitDialog() {
    const auto fill = [this](int id, const std::vector<std::wstring>& items) {
        const HWND combo = GetDlgItem(id);
        for (const std::wstring& item : items)
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (!items.empty()) ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    };
    fill(IDC_EXECUTE_PROGRAM, m_programHistory);
    fill(IDC_EXECUTE_PARAMETERS, m_parameterHistory);
    return true;
}

void CExecuteDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.ComboText(IDC_EXECUTE_PROGRAM, m_program);
    dx.ComboText(IDC_EXECUTE_PARAMETERS, m_parameters);
}

}  // namespace zq
