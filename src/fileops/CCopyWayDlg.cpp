#include "fileops/CCopyWayDlg.h"

#include <cwchar>

#include "fileops/CopyText.h"
#include "fileops/SelectionSnapshot.h"
#include "resource.h"
#include "ui/CCheckListBoxDlg.h"

namespace zq::fileops {
namespace {

// The file's own controls, hidden in the compact form.
constexpr int kFileControls[] = {
    IDC_WAY_FILE,           IDC_WAY_SRC_FRAME,      IDC_WAY_SRC_DATE_LABEL, IDC_WAY_SRC_DATE,
    IDC_WAY_SRC_SIZE_LABEL, IDC_WAY_SRC_SIZE,       IDC_WAY_DST_FRAME,      IDC_WAY_DST_DATE_LABEL,
    IDC_WAY_DST_DATE,       IDC_WAY_DST_SIZE_LABEL, IDC_WAY_DST_SIZE,
};
constexpr int kMovedControls[] = {IDC_WAY_GROUP,  IDC_WAY_0, IDC_WAY_1, IDC_WAY_2,    IDC_WAY_3,
                                  IDC_WAY_4,      IDC_WAY_5, IDC_WAY_6, IDC_WAY_SAME, IDC_WAY_RANGE,
                                  IDC_WAY_NOCOPY, IDOK,      IDCANCEL};

}  // namespace

std::wstring FormatFileTime(const FILETIME& time) {
    FILETIME local{};
    SYSTEMTIME t{};
    if (!::FileTimeToLocalFileTime(&time, &local) || !::FileTimeToSystemTime(&local, &t)) return {};
    wchar_t text[40] = {};
    swprintf(text, 40, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

CCopyWayDlg::CCopyWayDlg(HWND parent, const SameNameChoice& choice, const SameNameFile* file)
    : CDialog(IDD_COPYWAY, parent), m_choice(choice), m_file(file) {}

void CCopyWayDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Radio(IDC_WAY_0, IDC_WAY_6, m_choice.way);
    dx.Check(IDC_WAY_SAME, m_choice.sameFromNow);
    dx.Check(IDC_WAY_RANGE, m_choice.timeRange);
    if (dx.Saving() && m_choice.way < 0) m_choice.way = 0;
}

void CCopyWayDlg::ShowFile() {
    SetDlgItemText(IDC_WAY_FILE, m_file->source.cFileName);
    SetDlgItemText(IDC_WAY_SRC_FRAME, L"コピー元(" + m_file->sourceDirectory + L")");
    SetDlgItemText(IDC_WAY_DST_FRAME, L"コピー先(" + m_file->destinationDirectory + L")");
    SetDlgItemText(IDC_WAY_SRC_DATE, FormatFileTime(m_file->source.ftLastWriteTime));
    SetDlgItemText(IDC_WAY_DST_DATE, FormatFileTime(m_file->destination.ftLastWriteTime));
    SetDlgItemText(IDC_WAY_SRC_SIZE, GroupDigits(FindDataSize(m_file->source), 14));
    SetDlgItemText(IDC_WAY_DST_SIZE, GroupDigits(FindDataSize(m_file->destination), 14));
}

void CCopyWayDlg::MakeCompact() {
    RECT top{}, group{};
    ::GetWindowRect(GetDlgItem(IDC_WAY_FILE), &top);
    ::GetWindowRect(GetDlgItem(IDC_WAY_GROUP), &group);
    const int shift = group.top - top.top;
    for (int id : kFileControls) ::ShowWindow(GetDlgItem(id), SW_HIDE);
    for (int id : kMovedControls) {
        HWND control = GetDlgItem(id);
        RECT r{};
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        ::SetWindowPos(control, nullptr, r.left, r.top - shift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - shift,
                   SWP_NOMOVE | SWP_NOZORDER);
}

bool CCopyWayDlg::OnInitDialog() {
    UpdateData(false);
    if (m_file != nullptr) {
        ShowFile();
    } else {
        MakeCompact();
    }
    return true;
}

bool CCopyWayDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_WAY_NOCOPY && code == BN_CLICKED) {
        std::vector<bool> checks{m_choice.noCopyAttributes, m_choice.noCopyDateTime};
        ui::CCheckListBoxDlg dialog(m_hWnd, L"コピーしないときの処理", {L"属性をコピーする", L"日時をコピーする"},
                                    checks);
        if (dialog.DoModal() == IDOK) {
            m_choice.noCopyAttributes = checks[0];
            m_choice.noCopyDateTime = checks[1];
        }
        return true;
    }
    return false;
}

}  // namespace zq::fileops
