#include "filer/CDirJumpDlg.h"

#include <commctrl.h>

#include "commands/KeyTable.h"
#include "filer/CDirJumpEntryDlg.h"
#include "filer/COnlyEditNameDlg.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

CDirJumpDlg::CDirJumpDlg(HWND parent, std::vector<JumpGroup> groups, DirJumpColumns columns, bool icons)
    : ui::CDialog(IDD_DIRJUMP, parent), m_groups(std::move(groups)), m_columns(columns), m_icons(icons) {
    if (m_groups.empty()) m_groups.emplace_back();
}

bool CDirJumpDlg::OnInitDialog() {
    const HWND list = GetDlgItem(IDC_DIRJUMP_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    int shownColumns = 0;
    for (size_t p = 0; p < 3; ++p) {
        if (!m_columns.shown[p]) continue;
        static const wchar_t* const kTitles[] = {L"キー", L"内容", L"ジャンプ先"};
        const int item = m_columns.item[p] >= 0 && m_columns.item[p] < 3 ? m_columns.item[p] : static_cast<int>(p);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(kTitles[item]);
        column.cx = m_columns.width[p] > 0 ? m_columns.width[p] : 80;
        column.iSubItem = item;
        ListView_InsertColumn(list, shownColumns++, &column);
    }
    ::CheckDlgButton(m_hWnd, IDC_DIRJUMP_ICONS, m_icons ? BST_CHECKED : BST_UNCHECKED);
    FillGroups();
    FillList(0);
    ::SetFocus(list);
    return false;
}

void CDirJumpDlg::FillGroups() {
    const HWND combo = GetDlgItem(IDC_DIRJUMP_GROUP);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const JumpGroup& group : m_groups)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group.name.c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(m_group), 0);
}

void CDirJumpDlg::FillList(int select) {
    const HWND list = GetDlgItem(IDC_DIRJUMP_LIST);
    ListView_DeleteAllItems(list);
    const HWND header = ListView_GetHeader(list);
    const int columns = header ? Header_GetItemCount(header) : 0;
    const auto& entries = Group().entries;
    for (size_t i = 0; i < entries.size(); ++i) {
        for (int c = 0; c < columns; ++c) {
            LVCOLUMNW column{};
            column.mask = LVCF_SUBITEM;
            ListView_GetColumn(list, c, &column);
            std::wstring text = JumpColumnText(entries[i], column.iSubItem);
            if (c == 0) {
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = static_cast<int>(i);
                item.pszText = text.data();
                ListView_InsertItem(list, &item);
            } else {
                ListView_SetItemText(list, static_cast<int>(i), c, text.data());
            }
        }
    }
    Select(select);
}

int CDirJumpDlg::Selected() const {
    return ListView_GetNextItem(GetDlgItem(IDC_DIRJUMP_LIST), -1, LVNI_SELECTED);
}

void CDirJumpDlg::Select(int index) {
    const HWND list = GetDlgItem(IDC_DIRJUMP_LIST);
    const int count = ListView_GetItemCount(list);
    if (count == 0) return;
    if (index < 0 || index >= count) index = 0;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, index, FALSE);
}

void CDirJumpDlg::Finish(bool toLocation) {
    const int index = Selected();
    const bool chosen = index >= 0 && static_cast<size_t>(index) < Group().entries.size();
    // OK without a bookmark keeps the edits and goes nowhere; the location button needs one.
    if (!chosen && toLocation) return;
    m_target = chosen ? Group().entries[static_cast<size_t>(index)].toDir : L"";
    m_toLocation = toLocation;
    m_icons = ::IsDlgButtonChecked(m_hWnd, IDC_DIRJUMP_ICONS) == BST_CHECKED;
    EndDialog(IDOK);
}

void CDirJumpDlg::OnOK() {
    Finish(false);
}

void CDirJumpDlg::EditEntry(bool adding) {
    const int index = Selected();
    if (!adding && index < 0) return;
    auto& entries = Group().entries;
    CDirJumpEntryDlg dialog(m_hWnd, adding ? JumpEntry{} : entries[static_cast<size_t>(index)]);
    if (dialog.DoModal() != IDOK || dialog.Entry().toDir.empty()) return;
    if (adding) {
        entries.push_back(dialog.Entry());
        FillList(static_cast<int>(entries.size()) - 1);
    } else {
        entries[static_cast<size_t>(index)] = dialog.Entry();
        FillList(index);
    }
}

void CDirJumpDlg::OnListKey(unsigned virtualKey) {
    const int key = FindKeyIndex(virtualKey);
    if (key < 0) return;
    const JumpKeyChoice choice = ChooseJumpByKey(Group(), KeyTable()[static_cast<size_t>(key)].name, Selected());
    if (choice.index < 0) return;
    Select(choice.index);
    if (choice.close) Finish(false);
}

bool CDirJumpDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
        case IDC_DIRJUMP_GROUP:
            if (code == CBN_SELCHANGE) {
                const LRESULT group = ::SendMessageW(GetDlgItem(IDC_DIRJUMP_GROUP), CB_GETCURSEL, 0, 0);
                if (group != CB_ERR) m_group = static_cast<int>(group);
                FillList(0);
            }
            return true;
        case IDC_DIRJUMP_LOCATION:
            Finish(true);
            return true;
        case IDC_DIRJUMP_ADD:
        case IDC_DIRJUMP_EDIT:
            EditEntry(id == IDC_DIRJUMP_ADD);
            return true;
        case IDC_DIRJUMP_DELETE: {
            const int index = Selected();
            if (index < 0) return true;
            Group().entries.erase(Group().entries.begin() + index);
            FillList(index > 0 ? index - 1 : 0);
            return true;
        }
        case IDC_DIRJUMP_UP:
        case IDC_DIRJUMP_DOWN:
            FillList(MoveJump(Group(), Selected(), id == IDC_DIRJUMP_UP ? -1 : 1));
            return true;
        case IDC_DIRJUMP_GROUP_ADD: {
            COnlyEditNameDlg dialog(m_hWnd, L"追加グループ名の設定", L"", kJumpGroupNameUnits);
            if (dialog.DoModal() != IDOK) return true;
            m_groups.push_back({dialog.Name(), {}});
            m_group = static_cast<int>(m_groups.size()) - 1;
            FillGroups();
            FillList(0);
            return true;
        }
        case IDC_DIRJUMP_GROUP_RENAME: {
            COnlyEditNameDlg dialog(m_hWnd, L"グループ名の変更", Group().name, kJumpGroupNameUnits);
            if (dialog.DoModal() != IDOK) return true;
            Group().name = dialog.Name();
            FillGroups();
            return true;
        }
        case IDC_DIRJUMP_GROUP_DELETE: {
            // There is always at least one group.
            if (m_groups.size() <= 1) return true;
            wchar_t question[600];
            ::swprintf(question, 600, L"%sを削除しますか", Group().name.c_str());
            if (ui::ZqMessageBox(m_hWnd, question, L"削除確認", MB_YESNO) != IDYES) return true;
            m_groups.erase(m_groups.begin() + m_group);
            m_group = 0;
            FillGroups();
            FillList(0);
            return true;
        }
        default:
            return ui::CDialog::OnCommand(id, code, control);
    }
}

bool CDirJumpDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_DIRJUMP_LIST && header->code == LVN_KEYDOWN) {
            const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
            // The list's own keys (arrows, paging) keep their meaning.
            const unsigned vk = key->wVKey;
            const bool listKey = vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT || vk == VK_HOME ||
                                 vk == VK_END || vk == VK_TAB || vk == VK_ESCAPE;
            if (!listKey) OnListKey(vk);
            result = 0;
            return true;
        }
        if (header->idFrom == IDC_DIRJUMP_LIST && header->code == NM_DBLCLK) {
            Finish(false);
            result = 0;
            return true;
        }
    }
    return ui::CDialog::OnMessage(message, wParam, lParam, result);
}

}  // namespace zq
