#include "fileops/CAttributeDlg.h"

#include <iterator>

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {
namespace {

struct AttributeBox {
    int id;
    DWORD bit;
};
constexpr AttributeBox kAttributeBoxes[] = {
    {IDC_ATTR_READONLY, FILE_ATTRIBUTE_READONLY},
    {IDC_ATTR_HIDDEN, FILE_ATTRIBUTE_HIDDEN},
    {IDC_ATTR_SYSTEM, FILE_ATTRIBUTE_SYSTEM},
    {IDC_ATTR_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE},
};

struct RowControls {
    int enable, date, time;
};
constexpr RowControls kRowControls[3] = {
    {IDC_TIME_CREATE_ON, IDC_TIME_CREATE_DATE, IDC_TIME_CREATE_TIME},
    {IDC_TIME_ACCESS_ON, IDC_TIME_ACCESS_DATE, IDC_TIME_ACCESS_TIME},
    {IDC_TIME_WRITE_ON, IDC_TIME_WRITE_DATE, IDC_TIME_WRITE_TIME},
};

}  // namespace

CAttributeDialogBase::CAttributeDialogBase(UINT templateId, HWND parent, unsigned parts, AttributeDialogState& state,
                                           const LocalClock& clock)
    : CDialog(templateId, parent), m_parts(parts), m_state(state), m_clock(clock) {}

bool CAttributeDialogBase::Checked(int id) const {
    return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CAttributeDialogBase::SetChecked(int id, bool on) const {
    ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool CAttributeDialogBase::OnInitDialog() {
    for (const AttributeBox& box : kAttributeBoxes) SetChecked(box.id, (m_state.word & box.bit) != 0);
    for (size_t i = 0; i < std::size(kRowControls); ++i) {
        SetChecked(kRowControls[i].enable, m_state.rows[i].enabled);
        SetDlgItemText(kRowControls[i].date, m_state.rows[i].date);
        SetDlgItemText(kRowControls[i].time, m_state.rows[i].time);
    }
    SetChecked(IDC_ATTR_INDIR, m_state.intoDirectories);
    SetChecked(IDC_ATTR_NEGLECTDIR, m_state.leaveDirectories);
    SetChecked(IDC_ATTR_USEATTR, m_state.useAttributes);
    SetChecked(IDC_ATTR_USETIME, m_state.useTimes);
    EnableParts();
    return true;
}

void CAttributeDialogBase::EnableParts() const {
    if (GetDlgItem(IDC_ATTR_USEATTR) == nullptr) return;
    const bool attributes = Checked(IDC_ATTR_USEATTR);
    const bool times = Checked(IDC_ATTR_USETIME);
    for (const AttributeBox& box : kAttributeBoxes) EnableItem(box.id, attributes);
    for (const RowControls& row : kRowControls) {
        EnableItem(row.enable, times);
        EnableItem(row.date, times);
        EnableItem(row.time, times);
    }
}

bool CAttributeDialogBase::OnCommand(WORD id, WORD code, HWND) {
    if ((id == IDC_ATTR_USEATTR || id == IDC_ATTR_USETIME) && code == BN_CLICKED) {
        EnableParts();
        return true;
    }
    return false;
}

void CAttributeDialogBase::OnOK() {
    AttributeDialogState chosen = m_state;
    chosen.word = 0;
    for (const AttributeBox& box : kAttributeBoxes)
        if (Checked(box.id)) chosen.word |= box.bit;
    for (size_t i = 0; i < std::size(kRowControls); ++i) {
        chosen.rows[i].enabled = Checked(kRowControls[i].enable);
        chosen.rows[i].date = GetDlgItemText(kRowControls[i].date);
        chosen.rows[i].time = GetDlgItemText(kRowControls[i].time);
    }
    chosen.intoDirectories = Checked(IDC_ATTR_INDIR);
    chosen.leaveDirectories = Checked(IDC_ATTR_NEGLECTDIR);
    const bool combined = GetDlgItem(IDC_ATTR_USEATTR) != nullptr;
    if (combined) {
        chosen.useAttributes = Checked(IDC_ATTR_USEATTR);
        chosen.useTimes = Checked(IDC_ATTR_USETIME);
    }

    AttributeChange change;
    change.attributes = (m_parts & kAttributes) != 0 && (!combined || chosen.useAttributes);
    change.word = chosen.word;
    change.times = (m_parts & kTimes) != 0 && (!combined || chosen.useTimes);
    change.intoDirectories = chosen.intoDirectories;
    change.leaveDirectories = chosen.leaveDirectories;
    if (change.times) {
        const std::wstring refusal = ReadTimeRows(chosen.rows, m_clock, change.stamps);
        if (!refusal.empty()) {
            ui::ZqMessageBox(m_hWnd, refusal);
            return;
        }
    }
    m_change = change;
    m_state = chosen;
    EndDialog(IDOK);
}

CAttributeDlg::CAttributeDlg(HWND parent, AttributeDialogState& state, const LocalClock& clock)
    : CAttributeDialogBase(IDD_ATTRIBUTE, parent, kAttributes, state, clock) {}

}  // namespace zq::fileops
