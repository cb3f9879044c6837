#include "settings/CFilerSettingsSheet.h"

#include <commctrl.h>

#include "resource.h"
#include "settings/CAllDefExtProgram.h"
#include "settings/CAllDefFilerSetting.h"
#include "settings/CAllDefReloadPage.h"
#include "settings/CAllDefStartWindow.h"

namespace zq {

namespace {

constexpr const wchar_t* kPageTitles[CFilerSettingsSheet::kPageCount] = {L"起動設定", L"ファイラー表示",
                                                                         L"再読み込み設定", L"外部プログラム"};

}  // namespace

CFilerSettingsSheet::CFilerSettingsSheet(const Settings& current, SIZE currentFrameSize, HWND parent)
    : CDialog(IDD_FILER_SETTINGS, parent), m_edit(current), m_currentFrameSize(currentFrameSize) {}

CFilerSettingsSheet::~CFilerSettingsSheet() = default;

bool CFilerSettingsSheet::OnInitDialog() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_pages = {std::make_unique<CAllDefStartWindow>(m_edit, m_currentFrameSize),
               std::make_unique<CAllDefFilerSetting>(m_edit), std::make_unique<CAllDefReloadPage>(m_edit),
               std::make_unique<CAllDefExtProgram>(m_edit)};

    HWND tab = GetDlgItem(IDC_FS_TAB);
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kPageTitles[i]);
        ::SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    // The pages fill the tab's display area, in this dialog's coordinates.
    RECT area{};
    ::GetWindowRect(tab, &area);
    ::SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    for (auto& page : m_pages) {
        if (!page->Create(m_hWnd)) continue;
        ::SetWindowPos(page->GetSafeHwnd(), tab, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOACTIVATE);
    }
    ShowPage(0);
    return true;
}

HWND CFilerSettingsSheet::PageWindow(int index) const {
    return index >= 0 && index < kPageCount && m_pages[static_cast<size_t>(index)]
               ? m_pages[static_cast<size_t>(index)]->GetSafeHwnd()
               : nullptr;
}

void CFilerSettingsSheet::ShowPage(int index) {
    if (index < 0 || index >= kPageCount) return;
    m_current = index;
    ::SendDlgItemMessageW(m_hWnd, IDC_FS_TAB, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (int i = 0; i < kPageCount; ++i) ::ShowWindow(PageWindow(i), i == index ? SW_SHOW : SW_HIDE);
}

bool CFilerSettingsSheet::Collect() {
    for (int i = 0; i < kPageCount; ++i) {
        if (!PageWindow(i)) continue;
        if (!m_pages[static_cast<size_t>(i)]->UpdateData(true)) {
            // The exchange has put the focus on the bad field; the user must see it.
            ShowPage(i);
            return false;
        }
    }
    return true;
}

void CFilerSettingsSheet::OnOK() {
    if (Collect()) EndDialog(IDOK);
}

bool CFilerSettingsSheet::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_FS_TAB || header->code != TCN_SELCHANGE) return false;
    ShowPage(static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_FS_TAB, TCM_GETCURSEL, 0, 0)));
    result = 0;
    return true;
}

}  // namespace zq
