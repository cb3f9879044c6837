#include "filer/CWildcardDlg.h"

#include "filer/CFindOptionDlg.h"
#include "resource.h"

namespace zq {

namespace {

// A pattern is a file name pattern: 259 units and the terminator.
constexpr size_t kPatternCapacity = 260;

}  // namespace

CWildcardDlg::CWildcardDlg(HWND parent, const WildcardChoice& initial, std::vector<std::wstring> history)
    : ui::CDialog(IDD_WILDCARD, parent), m_choice(initial), m_history(std::move(history)) {}

bool CWildcardDlg::OnInitDialog() {
    HWND combo = GetDlgItem(IDC_WILDCARD_PATTERN);
    for (const std::wstring& pattern : m_history) {
        if (!pattern.empty()) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern.c_str()));
    }
    ::SendMessageW(combo, CB_LIMITTEXT, kPatternCapacity - 1, 0);
    ui::CDialog::OnInitDialog();
    // The pattern is what one changes here: start in it, all selected.
    ::SetFocus(combo);
    ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return false;
}

void CWildcardDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.ComboText(IDC_WILDCARD_PATTERN, m_choice.pattern);
    dx.Check(IDC_WILDCARD_DIRECTORIES, m_choice.appliesToDirectories);
    dx.Check(IDC_WILDCARD_NEGLECT_DOS, m_choice.neglectDosNames);
    if (dx.Saving() && m_choice.pattern.size() > kPatternCapacity - 1) m_choice.pattern.resize(kPatternCapacity - 1);
}

bool CWildcardDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id != IDC_WILDCARD_CONDITIONS || code != BN_CLICKED) return false;
    CFindOptionDlg options(m_hWnd, m_choice.conditions);
    if (options.DoModal() == IDOK) m_choice.conditions = options.Result();
    return true;
}

}  // namespace zq
