#include "binedit/BinaryEditorDialogs.h"

#include <cwchar>

#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zq::binedit {

namespace {

// The five types and the signed flag, shared by every dialog with data fields.
void ExchangeType(ui::DataExchange& dx, InputType& type, bool& isSigned) {
    int index = static_cast<int>(type);
    dx.Radio(IDC_BINARY_TYPE_STRING, IDC_BINARY_TYPE_LONG, index);
    if (dx.Saving() && index >= 0) type = static_cast<InputType>(index);
    dx.Check(IDC_BINARY_SIGNED, isSigned);
}

void ExchangeStartAndDirection(ui::DataExchange& dx, DialogChoices& choices) {
    int start = choices.fromStart ? 1 : 0;
    dx.Radio(IDC_BINARY_FROM_CURRENT, IDC_BINARY_FROM_START, start);
    int direction = static_cast<int>(choices.direction);
    dx.Radio(IDC_BINARY_DOWN, IDC_BINARY_UP, direction);
    if (!dx.Saving()) return;
    choices.fromStart = start == 1;
    choices.direction = direction == 1 ? SearchDirection::Up : SearchDirection::Down;
}

}  // namespace

CBinaryInputDlg::CBinaryInputDlg(HWND parent, bool repeat, DialogChoices& choices)
    : ui::CDialog(repeat ? IDD_BINARY_INPUT_LOOP : IDD_BINARY_INPUT, parent), m_repeat(repeat), m_choices(choices) {
    if (m_choices.repeatMode == 0) repeatValue = std::to_wstring(m_choices.repeatCount);
}

void CBinaryInputDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_BINARY_INPUT_TEXT, text);
    ExchangeType(dx, m_choices.inputType, m_choices.inputSigned);
    if (!m_repeat) return;
    dx.Radio(IDC_BINARY_REPEAT_COUNT, IDC_BINARY_REPEAT_SELECTION, m_choices.repeatMode);
    dx.Text(IDC_BINARY_REPEAT_VALUE, repeatValue);
}

CBinaryJumpDlg::CBinaryJumpDlg(HWND parent, DialogChoices& choices)
    : ui::CDialog(IDD_BINARY_JUMP, parent), m_choices(choices) {}

bool CBinaryJumpDlg::OnInitDialog() {
    const bool focusFirst = ui::CDialog::OnInitDialog();
    ShowUnit();
    return focusFirst;
}

// The number is a row: a decimal row is times 16 bytes, a hexadecimal one has a 0 digit appended.
void CBinaryJumpDlg::ShowUnit() {
    const bool hex = ::IsDlgButtonChecked(m_hWnd, IDC_BINARY_RADIX_HEX) == BST_CHECKED;
    SetDlgItemText(IDC_BINARY_JUMP_UNIT, hex ? L"0H" : L"X16");
}

bool CBinaryJumpDlg::OnCommand(WORD id, WORD code, HWND control) {
    if ((id == IDC_BINARY_RADIX_DEC || id == IDC_BINARY_RADIX_HEX) && code == BN_CLICKED) {
        ShowUnit();
        return true;
    }
    return ui::CDialog::OnCommand(id, code, control);
}

void CBinaryJumpDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_BINARY_JUMP_VALUE, text);
    int radix = m_choices.jumpHex ? 1 : 0;
    dx.Radio(IDC_BINARY_RADIX_DEC, IDC_BINARY_RADIX_HEX, radix);
    int mode = m_choices.jumpRelative ? 1 : 0;
    dx.Radio(IDC_BINARY_JUMP_ABSOLUTE, IDC_BINARY_JUMP_RELATIVE, mode);
    if (!dx.Saving()) return;
    m_choices.jumpHex = radix == 1;
    m_choices.jumpRelative = mode == 1;
}

CBinaryRangeDlg::CBinaryRangeDlg(HWND parent, DialogChoices& choices, long long cursorByte)
    : ui::CDialog(IDD_BINARY_RANGE, parent), m_choices(choices) {
    wchar_t buffer[32];
    std::swprintf(buffer, std::size(buffer), m_choices.jumpHex ? L"%llx" : L"%lld", cursorByte);
    start = end = buffer;
}

void CBinaryRangeDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_BINARY_RANGE_START, start);
    dx.Text(IDC_BINARY_RANGE_END, end);
    int radix = m_choices.jumpHex ? 1 : 0;
    dx.Radio(IDC_BINARY_RADIX_DEC, IDC_BINARY_RADIX_HEX, radix);
    if (dx.Saving()) m_choices.jumpHex = radix == 1;
}

CBinarySearchDlg::CBinarySearchDlg(HWND parent, bool replace, DialogChoices& choices)
    : ui::CDialog(replace ? IDD_BINARY_REPLACE : IDD_BINARY_SEARCH, parent), m_replace(replace), m_choices(choices) {}

void CBinarySearchDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_BINARY_SEARCH_TEXT, search);
    if (m_replace) dx.Text(IDC_BINARY_REPLACE_TEXT, replacement);
    ExchangeType(dx, m_choices.searchType, m_choices.searchSigned);
    ExchangeStartAndDirection(dx, m_choices);
}

CBinaryCompareDlg::CBinaryCompareDlg(HWND parent, const std::wstring& editPath, DialogChoices& choices)
    : ui::CDialog(IDD_BINARY_COMPARE, parent), m_editPath(editPath), m_choices(choices) {}

bool CBinaryCompareDlg::OnInitDialog() {
    SetDlgItemText(IDC_BINARY_EDIT_FILE, m_editPath);
    return ui::CDialog::OnInitDialog();
}

bool CBinaryCompareDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_BINARY_COMPARE_BROWSE && code == BN_CLICKED) {
        if (auto chosen = ui::ChooseOpenFile(m_hWnd, L"", L"すべてのファイル\0*.*\0\0"))
            SetDlgItemText(IDC_BINARY_COMPARE_FILE, *chosen);
        return true;
    }
    return ui::CDialog::OnCommand(id, code, control);
}

void CBinaryCompareDlg::DoDataExchange(ui::DataExchange& dx) {
    CompareRequest& r = m_choices.compare;
    dx.Text(IDC_BINARY_COMPARE_FILE, r.comparePath, MAX_PATH);
    dx.Check(IDC_BINARY_EDIT_ENABLED, r.editEnabled);
    dx.Text(IDC_BINARY_EDIT_DATA, r.editText);
    dx.Check(IDC_BINARY_OTHER_ENABLED, r.compareEnabled);
    dx.Text(IDC_BINARY_OTHER_DATA, r.compareText);
    dx.Check(IDC_BINARY_DIFF_ENABLED, r.differenceEnabled);
    dx.Text(IDC_BINARY_DIFF_DATA, r.differenceText);
    dx.Check(IDC_BINARY_DIFFERING, r.differing);
    ExchangeType(dx, r.type, r.isSigned);
    ExchangeStartAndDirection(dx, m_choices);
    if (dx.Saving()) r.direction = m_choices.direction;
}

CBinaryConvertAskDlg::CBinaryConvertAskDlg(HWND parent) : ui::CDialog(IDD_BINARY_CONVERT_ASK, parent) {}

bool CBinaryConvertAskDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (code != BN_CLICKED) return ui::CDialog::OnCommand(id, code, control);
    switch (id) {
        case IDYES:
        case IDNO:
            EndDialog(id);
            return true;
        case IDC_BINARY_CONVERT_ALL:
            EndDialog(kAll);
            return true;
        case IDC_BINARY_CONVERT_STOP:
            EndDialog(kStop);
            return true;
        default:
            return ui::CDialog::OnCommand(id, code, control);
    }
}

// Escape or the close box stops converting, as "変換中止" does.
void CBinaryConvertAskDlg::OnCancel() {
    EndDialog(kStop);
}

}  // namespace zq::binedit
