#include "commands/CKeyConfigBase.h"

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

// Tab positions in dialog units: the key names and the command names are
// short, their assignments and descriptions take the rest of the line.
constexpr int kKeyListTab = 44;
constexpr int kCommandListTab = 92;

LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(control, message, wParam, lParam);
}

void AddString(HWND control, UINT message, const std::wstring& text) {
    Send(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

CKeyConfigBase::CKeyConfigBase(UINT templateId, KeyAssignments& keys, ModeGroup group, HWND parent)
    : CDialog(templateId, parent), m_live(keys), m_editor(keys, group) {}

bool CKeyConfigBase::OnInitDialog() {
    int tab = kKeyListTab;
    Send(GetDlgItem(IDC_KEYCFG_KEYS), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
    tab = kCommandListTab;
    Send(GetDlgItem(IDC_KEYCFG_COMMANDS), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
    Send(GetDlgItem(IDC_KEYCFG_MOD_NONE), BM_SETCHECK, BST_CHECKED);
    const HWND categories = GetDlgItem(IDC_KEYCFG_CATEGORY);
    for (const std::wstring& name : m_editor.CategoryNames()) AddString(categories, CB_ADDSTRING, name);
    FillKeyList();
    SelectKey(0);
    return true;
}

void CKeyConfigBase::OnOK() {
    m_editor.ApplyTo(m_live);
    EndDialog(IDOK);
}

bool CKeyConfigBase::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
        case IDC_KEYCFG_KEYS:
            if (code != LBN_SELCHANGE) return false;
            SelectKey(static_cast<int>(Send(control, LB_GETCURSEL)));
            return true;
        case IDC_KEYCFG_MOD_NONE:
        case IDC_KEYCFG_MOD_SHIFT:
        case IDC_KEYCFG_MOD_CTRL:
        case IDC_KEYCFG_MOD_ALT:
            if (code != BN_CLICKED) return false;
            m_editor.Select(m_editor.KeyIndex(), id - IDC_KEYCFG_MOD_NONE);
            FillKeyList();
            ShowSlot();
            return true;
        case IDC_KEYCFG_CATEGORY:
            if (code != CBN_SELCHANGE) return false;
            FillCommands(static_cast<int>(Send(control, CB_GETCURSEL)));
            return true;
        case IDC_KEYCFG_COMMANDS:
            if (code != LBN_DBLCLK) return false;
            StoreSelectedCommand();
            return true;
        case IDC_KEYCFG_SETCOMMAND:
            StoreSelectedCommand();
            return true;
        case IDC_KEYCFG_CLEAR:
            m_editor.Clear();
            Store(AssignmentProblem::None);
            return true;
        default:
            return false;
    }
}

void CKeyConfigBase::Store(AssignmentProblem problem) {
    if (problem != AssignmentProblem::None) {
        ui::ZqMessageBox(m_hWnd, ProblemMessage(problem));
        return;
    }
    // Only the edited key's line changes; rewriting it in place keeps the
    // list's scroll position.
    const HWND keys = GetDlgItem(IDC_KEYCFG_KEYS);
    const int k = m_editor.KeyIndex();
    Send(keys, LB_DELETESTRING, static_cast<WPARAM>(k));
    Send(keys, LB_INSERTSTRING, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(m_editor.KeyListLine(k).c_str()));
    Send(keys, LB_SETCURSEL, static_cast<WPARAM>(k));
    ShowSlot();
}

void CKeyConfigBase::ShowSlot() {
    SetDlgItemText(IDC_KEYCFG_TEXT, m_editor.Current());
    const CommandPosition pos = m_editor.PositionOf(m_editor.Current());
    const HWND categories = GetDlgItem(IDC_KEYCFG_CATEGORY);
    // A text that is no command leaves the lists where the user last had them.
    if (pos.category >= 0) {
        Send(categories, CB_SETCURSEL, static_cast<WPARAM>(pos.category));
        FillCommands(pos.category);
        Send(GetDlgItem(IDC_KEYCFG_COMMANDS), LB_SETCURSEL, static_cast<WPARAM>(pos.row));
    } else if (Send(categories, CB_GETCURSEL) == CB_ERR) {
        Send(categories, CB_SETCURSEL, 0);
        FillCommands(0);
    }
    ShowSlotFields();
}

void CKeyConfigBase::FillKeyList() {
    const HWND keys = GetDlgItem(IDC_KEYCFG_KEYS);
    const LRESULT top = Send(keys, LB_GETTOPINDEX);
    Send(keys, WM_SETREDRAW, FALSE);
    Send(keys, LB_RESETCONTENT);
    for (const std::wstring& line : m_editor.KeyListLines()) AddString(keys, LB_ADDSTRING, line);
    Send(keys, LB_SETCURSEL, static_cast<WPARAM>(m_editor.KeyIndex()));
    Send(keys, LB_SETTOPINDEX, static_cast<WPARAM>(top));
    Send(keys, WM_SETREDRAW, TRUE);
    ::InvalidateRect(keys, nullptr, TRUE);
}

void CKeyConfigBase::FillCommands(int category) {
    const HWND commands = GetDlgItem(IDC_KEYCFG_COMMANDS);
    Send(commands, LB_RESETCONTENT);
    if (category < 0) return;
    for (const std::wstring& line : m_editor.CommandLines(category)) AddString(commands, LB_ADDSTRING, line);
}

void CKeyConfigBase::SelectKey(int keyIndex) {
    if (keyIndex < 0) return;
    m_editor.Select(keyIndex, m_editor.Modifier());
    Send(GetDlgItem(IDC_KEYCFG_KEYS), LB_SETCURSEL, static_cast<WPARAM>(keyIndex));
    ShowSlot();
}

void CKeyConfigBase::StoreSelectedCommand() {
    const int category = static_cast<int>(Send(GetDlgItem(IDC_KEYCFG_CATEGORY), CB_GETCURSEL));
    const int row = static_cast<int>(Send(GetDlgItem(IDC_KEYCFG_COMMANDS), LB_GETCURSEL));
    const std::wstring name = m_editor.CommandAt(category, row);
    if (name.empty()) return;  // nothing chosen in the list
    Store(m_editor.AssignCommand(name));
}

}  // namespace zq
