#include "viewer/CViewerSettingDlg.h"

#include <cwchar>

#include "resource.h"

namespace zq::viewer {

const std::array<StructDoubleClickChoice, 5>& DoubleClickChoices() {
    static const std::array<StructDoubleClickChoice, 5> choices = {{
        {L"動作無し", L""},
        {L"Viewer終了", L"@Closeviewer"},
        {L"１行選択", L"@Selectoneline"},
        {L"URLを選択", L"@Selecturl"},
        {L"URLでブラウザ起動", L"@Startbyurl"},
    }};
    return choices;
}

int DoubleClickChoiceOf(const std::wstring& command) {
    const auto& choices = DoubleClickChoices();
    for (size_t i = 0; i < choices.size(); ++i)
        if (command == choices[i].command) return static_cast<int>(i);
    return 0;
}

CViewerSettingDlg::CViewerSettingDlg(const Settings& current, HWND parent)
    : ui::CDialog(IDD_VIEWER_SETTINGS, parent), m_edit(current) {}

bool CViewerSettingDlg::OnInitDialog() {
    for (int id : {IDC_VIEWER_SET_LEFT_DBL, IDC_VIEWER_SET_RIGHT_DBL}) {
        for (const auto& choice : DoubleClickChoices())
            ::SendDlgItemMessageW(m_hWnd, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.label));
    }
    ::SendDlgItemMessageW(m_hWnd, IDC_VIEWER_SET_LINE_END, EM_SETLIMITTEXT, 2, 0);
    m_left = DoubleClickChoiceOf(m_edit.leftDblClickAct);
    m_right = DoubleClickChoiceOf(m_edit.rightDblClickAct);
    FillPresets(0);
    return ui::CDialog::OnInitDialog();
}

void CViewerSettingDlg::FillPresets(int select) {
    HWND list = GetDlgItem(IDC_VIEWER_SET_PRESETS);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int value : m_edit.viewerSetting) {
        wchar_t text[32];
        std::swprintf(text, std::size(text), L"%d文字に設定", value);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
    SetDlgItemText(IDC_VIEWER_SET_PRESET_VALUE, std::to_wstring(m_edit.viewerSetting[static_cast<size_t>(select)]));
}

bool CViewerSettingDlg::OnCommand(WORD id, WORD code, HWND) {
    const int selected = static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_VIEWER_SET_PRESETS, LB_GETCURSEL, 0, 0));
    if (id == IDC_VIEWER_SET_PRESETS && code == LBN_SELCHANGE && selected >= 0) {
        SetDlgItemText(IDC_VIEWER_SET_PRESET_VALUE,
                       std::to_wstring(m_edit.viewerSetting[static_cast<size_t>(selected)]));
        return true;
    }
    if (id == IDC_VIEWER_SET_PRESET_APPLY && code == BN_CLICKED) {
        const int value = std::wcstol(GetDlgItemText(IDC_VIEWER_SET_PRESET_VALUE).c_str(), nullptr, 10);
        // Nothing, or nothing sensible, typed: the preset stays.
        if (selected >= 0 && value > 0 && value <= 32767) {
            m_edit.viewerSetting[static_cast<size_t>(selected)] = value;
            FillPresets(selected);
        }
        return true;
    }
    return false;
}

void CViewerSettingDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Int(IDC_VIEWER_SET_TAB, m_edit.TABCARAMES, 1, 100);
    dx.Int(IDC_VIEWER_SET_COLUMNS, m_edit.VIEWCHARWIDE, 1, 32767);
    dx.Int(IDC_VIEWER_SET_MEMORY, m_edit.GETVIEWMEM, 1, 32767);
    dx.Int(IDC_VIEWER_SET_SPEED, m_edit.VIEWSCROLLSPEED, 0, 10);
    dx.Int(IDC_VIEWER_SET_SCROLL_LINES, m_edit.VIEWSCROLLLINE, 1, 30);
    dx.Int(IDC_VIEWER_SET_FAST_COUNT, m_edit.FASTSCROLLCOUNT, 1, 1000);
    dx.Int(IDC_VIEWER_SET_FAST_LINES, m_edit.FASTSCROLLINE, 1, 1000);
    dx.Check(IDC_VIEWER_SET_NUMBERS, m_edit.VIEWNUMBER);
    dx.Check(IDC_VIEWER_SET_FIND_SCROLL, m_edit.VIEWFINDSCROLLPOSITION);
    dx.Text(IDC_VIEWER_SET_LINE_END, m_edit.lineReturnCode, 2);
    dx.ComboIndex(IDC_VIEWER_SET_LEFT_DBL, m_left);
    dx.ComboIndex(IDC_VIEWER_SET_RIGHT_DBL, m_right);
    if (dx.Saving() && !dx.Failed()) {
        const auto& choices = DoubleClickChoices();
        m_edit.leftDblClickAct = choices[static_cast<size_t>(m_left < 0 ? 0 : m_left)].command;
        m_edit.rightDblClickAct = choices[static_cast<size_t>(m_right < 0 ? 0 : m_right)].command;
    }
}

CKindSettingDlg::CKindSettingDlg(const Settings& current, HWND parent)
    : ui::CDialog(IDD_VIEWER_KINDS, parent), m_edit(current) {}

bool CKindSettingDlg::OnInitDialog() {
    for (int row = 0; row < kRowsPerPage; ++row)
        ::SendDlgItemMessageW(m_hWnd, IDC_VIEWER_KIND_NAME0 + row, EM_SETLIMITTEXT, 100, 0);
    ShowVisibleRows();
    return true;
}

bool CKindSettingDlg::TakeVisibleRows() {
    for (int row = 0; row < kRowsPerPage; ++row) {
        const auto n = static_cast<size_t>(m_first + row);
        const std::wstring words = GetDlgItemText(IDC_VIEWER_KIND_WORDS0 + row);
        const std::wstring tab = GetDlgItemText(IDC_VIEWER_KIND_TAB0 + row);
        // An empty number means "the general setting", stored as 0.
        const long columns = words.empty() ? 0 : std::wcstol(words.c_str(), nullptr, 10);
        const long width = tab.empty() ? 0 : std::wcstol(tab.c_str(), nullptr, 10);
        if (columns < 0 || columns > 32767 || width < 0 || width > 100) {
            ::SetFocus(
                GetDlgItem((columns < 0 || columns > 32767 ? IDC_VIEWER_KIND_WORDS0 : IDC_VIEWER_KIND_TAB0) + row));
            return false;
        }
        m_edit.viewerKind[n] = GetDlgItemText(IDC_VIEWER_KIND_NAME0 + row);
        m_edit.viewerKindWords[n] = static_cast<int>(columns);
        m_edit.viewerKindTab[n] = static_cast<int>(width);
    }
    return true;
}

void CKindSettingDlg::ShowVisibleRows() {
    const int rows = static_cast<int>(m_edit.viewerKind.size());
    for (int row = 0; row < kRowsPerPage; ++row) {
        const auto n = static_cast<size_t>(m_first + row);
        SetDlgItemText(IDC_VIEWER_KIND_NAME0 + row, m_edit.viewerKind[n]);
        SetDlgItemText(IDC_VIEWER_KIND_WORDS0 + row,
                       m_edit.viewerKindWords[n] ? std::to_wstring(m_edit.viewerKindWords[n]) : std::wstring());
        SetDlgItemText(IDC_VIEWER_KIND_TAB0 + row,
                       m_edit.viewerKindTab[n] ? std::to_wstring(m_edit.viewerKindTab[n]) : std::wstring());
    }
    wchar_t page[32];
    std::swprintf(page, std::size(page), L"%d-%d / %d", m_first + 1, m_first + kRowsPerPage, rows);
    SetDlgItemText(IDC_VIEWER_KIND_PAGE, page);
    EnableItem(IDC_VIEWER_KIND_BEFORE, m_first > 0);
    EnableItem(IDC_VIEWER_KIND_NEXT, m_first + kRowsPerPage < rows);
}

bool CKindSettingDlg::Turn(int first) {
    if (!TakeVisibleRows()) return false;
    const int rows = static_cast<int>(m_edit.viewerKind.size());
    if (first < 0 || first + kRowsPerPage > rows) return false;
    m_first = first;
    ShowVisibleRows();
    // The page's first field takes the keys; the button pressed may have just been disabled.
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_VIEWER_KIND_NAME0)), TRUE);
    return true;
}

bool CKindSettingDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id != IDC_VIEWER_KIND_BEFORE && id != IDC_VIEWER_KIND_NEXT) return false;
    (void)Turn(m_first + (id == IDC_VIEWER_KIND_NEXT ? kRowsPerPage : -kRowsPerPage));
    return true;
}

void CKindSettingDlg::OnOK() {
    if (TakeVisibleRows()) EndDialog(IDOK);
}

}  // namespace zq::viewer
