#include "fileops/CSelCopyFileDlg.h"

#include <algorithm>

#include "fileops/CopyFileFilter.h"
#include "resource.h"

namespace zq::fileops {

// The two halves of the dialog are the same controls over different lists.
struct CSelCopyFileDlg::Side {
    int edit;
    int add;
    int list;
    int remove;
    std::vector<std::wstring> CSelCopyFileDlg::*patterns;
};

const CSelCopyFileDlg::Side CSelCopyFileDlg::kSides[2] = {
    {IDC_SELCOPY_INCLUDE_EDIT, IDC_SELCOPY_INCLUDE_ADD, IDC_SELCOPY_INCLUDE_LIST, IDC_SELCOPY_INCLUDE_DELETE,
     &CSelCopyFileDlg::m_include},
    {IDC_SELCOPY_EXCLUDE_EDIT, IDC_SELCOPY_EXCLUDE_ADD, IDC_SELCOPY_EXCLUDE_LIST, IDC_SELCOPY_EXCLUDE_DELETE,
     &CSelCopyFileDlg::m_exclude},
};

CSelCopyFileDlg::CSelCopyFileDlg(HWND parent, std::vector<std::wstring> include, std::vector<std::wstring> exclude)
    : CDialog(IDD_SELCOPYFILE, parent), m_include(std::move(include)), m_exclude(std::move(exclude)) {}

void CSelCopyFileDlg::Fill(const Side& side) const {
    HWND list = GetDlgItem(side.list);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& pattern : this->*side.patterns)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern.c_str()));
}

void CSelCopyFileDlg::Add(const Side& side) {
    if (AddPatterns(this->*side.patterns, GetDlgItemText(side.edit)) > 0) Fill(side);
    SetDlgItemText(side.edit, L"");
    ::SetFocus(GetDlgItem(side.edit));
}

void CSelCopyFileDlg::Remove(const Side& side) {
    std::vector<std::wstring>& patterns = this->*side.patterns;
    const LRESULT index = ::SendDlgItemMessageW(m_hWnd, side.list, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= patterns.size()) return;
    patterns.erase(patterns.begin() + index);
    Fill(side);
    // The selection stays at the same place so that several patterns can be
    // removed by pressing the button repeatedly.
    if (!patterns.empty()) {
        const size_t next = std::min(static_cast<size_t>(index), patterns.size() - 1);
        ::SendDlgItemMessageW(m_hWnd, side.list, LB_SETCURSEL, next, 0);
    }
}

bool CSelCopyFileDlg::OnInitDialog() {
    for (const Side& side : kSides) Fill(side);
    return true;
}

bool CSelCopyFileDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    for (const Side& side : kSides) {
        if (id == side.add) {
            Add(side);
            return true;
        }
        if (id == side.remove) {
            Remove(side);
            return true;
        }
    }
    return false;
}

void CSelCopyFileDlg::OnOK() {
    // Return in a field that holds a pattern adds it and keeps the dialog open,
    // so that several patterns can be typed one after the other.
    HWND focus = ::GetFocus();
    for (const Side& side : kSides) {
        if (focus == GetDlgItem(side.edit) && !GetDlgItemText(side.edit).empty()) {
            Add(side);
            return;
        }
    }
    // A pattern typed but not added when OK is clicked was meant to count.
    for (const Side& side : kSides) AddPatterns(this->*side.patterns, GetDlgItemText(side.edit));
    EndDialog(IDOK);
}

}  // namespace zq::fileops
