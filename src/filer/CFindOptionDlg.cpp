#include "filer/CFindOptionDlg.h"

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

// Control of each text of FindOptionValues, in index order.
constexpr int kTextControls[kFindOptionTextCount] = {
    IDC_OPT_CREATION_FROM_DATE, IDC_OPT_CREATION_FROM_TIME,
    IDC_OPT_CREATION_TO_DATE,   IDC_OPT_CREATION_TO_TIME,
    IDC_OPT_ACCESS_FROM_DATE,   IDC_OPT_ACCESS_FROM_TIME,
    IDC_OPT_ACCESS_TO_DATE,     IDC_OPT_ACCESS_TO_TIME,
    IDC_OPT_WRITE_FROM_DATE,    IDC_OPT_WRITE_FROM_TIME,
    IDC_OPT_WRITE_TO_DATE,      IDC_OPT_WRITE_TO_TIME,
    IDC_OPT_SIZE_FROM,          IDC_OPT_SIZE_TO,
};
// Control of each check of FindOptionValues, in index order.
constexpr int kCheckControls[kFindOptionCheckCount] = {
    IDC_OPT_USE_CREATION,  IDC_OPT_USE_ACCESS,  IDC_OPT_USE_WRITE,    IDC_OPT_ATTR_PLAIN,     IDC_OPT_ATTR_SYSTEM,
    IDC_OPT_ATTR_READONLY, IDC_OPT_ATTR_HIDDEN, IDC_OPT_ATTR_ARCHIVE, IDC_OPT_ATTR_DIRECTORY,
};

int TextIndexOf(int control) {
    for (int i = 0; i < kFindOptionTextCount; ++i)
        if (kTextControls[i] == control) return i;
    return -1;
}

bool IsDateText(int index) {
    return index >= 0 && index < kTextSizeFrom && (index % 4 == kPartFromDate || index % 4 == kPartToDate);
}

}  // namespace

CFindOptionDlg::CFindOptionDlg(HWND parent, const FileConditions& conditions, const LocalClock& clock)
    : ui::CDialog(IDD_FIND_OPTION, parent),
      m_form(conditions, clock),
      m_result(conditions),
      m_dateTarget(FindOptionText(kRangeCreation, kPartFromDate)) {}

bool CFindOptionDlg::OnInitDialog() {
    HWND operations = GetDlgItem(IDC_OPT_DATE_OPERATION);
    for (int i = 0; i < kDateOperationCount; ++i)
        ::SendMessageW(operations, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DateOperationItem(i)));
    HWND units = GetDlgItem(IDC_OPT_SIZE_UNIT);
    for (int i = 0; i < kSizeUnitCount; ++i)
        ::SendMessageW(units, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SizeUnitItem(i)));
    const bool result = ui::CDialog::OnInitDialog();
    ShowUnit();
    EnableRanges();
    return result;
}

void CFindOptionDlg::DoDataExchange(ui::DataExchange& dx) {
    FindOptionValues& values = m_form.Values();
    for (int i = 0; i < kFindOptionTextCount; ++i) dx.Text(kTextControls[i], values.text[static_cast<size_t>(i)], 32);
    for (int i = 0; i < kFindOptionCheckCount; ++i) {
        bool& value = values.check[static_cast<size_t>(i)];
        dx.Check(kCheckControls[i], value);
    }
    dx.ComboIndex(IDC_OPT_SIZE_UNIT, values.sizeUnit);
    dx.ComboIndex(IDC_OPT_DATE_OPERATION, m_operation);
}

void CFindOptionDlg::ShowUnit() {
    const int unit = static_cast<int>(::SendMessageW(GetDlgItem(IDC_OPT_SIZE_UNIT), CB_GETCURSEL, 0, 0));
    SetDlgItemText(IDC_OPT_SIZE_FROM_LABEL, SizeFromLabel(unit));
    SetDlgItemText(IDC_OPT_SIZE_TO_LABEL, SizeToLabel(unit));
}

// The fields of a range not in use are greyed, as their contents do not count.
void CFindOptionDlg::EnableRanges() {
    for (int r = 0; r < kFindOptionRangeCount; ++r) {
        const bool inUse = ::IsDlgButtonChecked(m_hWnd, kCheckControls[kCheckUseCreation + r]) == BST_CHECKED;
        for (int part = kPartFromDate; part <= kPartToTime; ++part)
            EnableItem(kTextControls[FindOptionText(r, part)], inUse);
    }
}

void CFindOptionDlg::ApplyDateOperation() {
    const int operation = static_cast<int>(::SendMessageW(GetDlgItem(IDC_OPT_DATE_OPERATION), CB_GETCURSEL, 0, 0));
    if (operation < 0 || operation >= kDateOperationCount) return;
    const int control = kTextControls[m_dateTarget];
    m_form.Values().text[static_cast<size_t>(m_dateTarget)] = GetDlgItemText(control);
    if (!m_form.ApplyDateOperation(m_dateTarget, static_cast<DateOperation>(operation))) return;
    SetDlgItemText(control, m_form.Values().text[static_cast<size_t>(m_dateTarget)]);
}

bool CFindOptionDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_OPT_SIZE_UNIT && code == CBN_SELCHANGE) {
        ShowUnit();
        return true;
    }
    if (id == IDC_OPT_DATE_APPLY && code == BN_CLICKED) {
        ApplyDateOperation();
        return true;
    }
    if ((id == IDC_OPT_USE_CREATION || id == IDC_OPT_USE_ACCESS || id == IDC_OPT_USE_WRITE) && code == BN_CLICKED) {
        EnableRanges();
        return true;
    }
    // The date operation acts on the date field the user was last in.
    const int text = TextIndexOf(id);
    if (code == EN_SETFOCUS && IsDateText(text)) m_dateTarget = text;
    return false;
}

void CFindOptionDlg::OnOK() {
    if (!UpdateData(true)) return;
    const FindOptionOutcome outcome = m_form.Validate();
    if (!outcome.ok) {
        ui::ZqMessageBox(m_hWnd, outcome.message);
        const int control = outcome.focusText >= 0 ? kTextControls[outcome.focusText] : kCheckControls[kCheckPlain];
        ::SetFocus(GetDlgItem(control));
        if (outcome.focusText >= 0) ::SendMessageW(GetDlgItem(control), EM_SETSEL, 0, -1);
        return;
    }
    m_result = outcome.conditions;
    EndDialog(IDOK);
}

}  // namespace zq
