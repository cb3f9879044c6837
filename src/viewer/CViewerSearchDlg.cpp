#include "viewer/CViewerSearchDlg.h"

#include "resource.h"

namespace zq::viewer {

namespace {

// The history keeps strings of up to 500 characters; longer ones are not typed.
constexpr size_t kStringCapacity = 500;

}  // namespace

CViewerSearchDlg::CViewerSearchDlg(HWND parent, const SearchChoice& initial, std::vector<std::wstring> history)
    : ui::CDialog(IDD_VIEWER_SEARCH, parent), m_choice(initial), m_history(std::move(history)) {}

bool CViewerSearchDlg::OnInitDialog() {
    HWND combo = GetDlgItem(IDC_VIEWER_SEARCH_STRING);
    for (const std::wstring& entry : m_history)
        if (!entry.empty()) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    ::SendMessageW(combo, CB_LIMITTEXT, kStringCapacity, 0);
    // The dialog opens on the last string used, ready to be typed over.
    if (m_choice.text.empty() && !m_history.empty()) m_choice.text = m_history.front();
    ui::CDialog::OnInitDialog();
    ::SetFocus(combo);
    ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return false;
}

void CViewerSearchDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.ComboText(IDC_VIEWER_SEARCH_STRING, m_choice.text);
    dx.Radio(IDC_VIEWER_SEARCH_FROM_TOP, IDC_VIEWER_SEARCH_FROM_LINE, m_choice.start);
    dx.Radio(IDC_VIEWER_SEARCH_UP, IDC_VIEWER_SEARCH_DOWN, m_choice.direction);
    dx.Check(IDC_VIEWER_SEARCH_IGNORE_CASE, m_choice.ignoreCase);
    if (dx.Saving() && m_choice.text.size() > kStringCapacity) m_choice.text.resize(kStringCapacity);
}

}  // namespace zq::viewer
