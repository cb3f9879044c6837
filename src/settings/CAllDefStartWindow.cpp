#include "settings/CAllDefStartWindow.h"

#include "resource.h"
#include "settings/SettingsPageExchange.h"
#include "ui/CommonDialogs.h"

namespace zq {

CAllDefStartWindow::CAllDefStartWindow(Settings& edit, SIZE currentFrameSize)
    : CSettingsPage(IDD_ALLDEF_START, edit), m_currentFrameSize(currentFrameSize) {}

void CAllDefStartWindow::DoDataExchange(ui::DataExchange& dx) {
    RadioKeepingUnknown(dx, IDC_STARTSIZE0, IDC_STARTSIZE5, m_edit.STARTSIZE);
    dx.Int(IDC_FIRSTWIDE, m_edit.FIRSTWIDE, 0, kMaxScreenCoordinate);
    dx.Int(IDC_FIRSTHEIGHT, m_edit.FIRSTHEIGHT, 0, kMaxScreenCoordinate);
    RadioKeepingUnknown(dx, IDC_STARTPOS0, IDC_STARTPOS2, m_edit.STARTPOS);
    dx.Int(IDC_FIRSTX, m_edit.FIRSTX, -kMaxScreenCoordinate, kMaxScreenCoordinate);
    dx.Int(IDC_FIRSTY, m_edit.FIRSTY, -kMaxScreenCoordinate, kMaxScreenCoordinate);
    dx.Text(IDC_FIRSTDIRECTORY, m_edit.FIRSTDIRECTORY, 520);
    dx.Text(IDC_SECONDDIRECTORY, m_edit.SECONDDIRECTORY, 520);
    dx.Check(IDC_STARTENDDIR, m_edit.STARTENDDIR);
    dx.Check(IDC_SECONDFILEOPEN, m_edit.SECONDFILEOPEN);
}

bool CAllDefStartWindow::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_TAKE_CURRENT_SIZE:
            SetDlgItemText(IDC_FIRSTWIDE, std::to_wstring(m_currentFrameSize.cx));
            SetDlgItemText(IDC_FIRSTHEIGHT, std::to_wstring(m_currentFrameSize.cy));
            return true;
        case IDC_FIRSTDIRECTORY_BROWSE:
            Browse(IDC_FIRSTDIRECTORY);
            return true;
        case IDC_SECONDDIRECTORY_BROWSE:
            Browse(IDC_SECONDDIRECTORY);
            return true;
        default:
            return false;
    }
}

void CAllDefStartWindow::Browse(int editId) {
    if (auto folder = ui::ChooseFolder(m_hWnd, L"フォルダーの選択", GetDlgItemText(editId)))
        SetDlgItemText(editId, *folder);
}

}  // namespace zq
