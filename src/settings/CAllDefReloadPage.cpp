#include "settings/CAllDefReloadPage.h"

#include "resource.h"

namespace zq {

CAllDefReloadPage::CAllDefReloadPage(Settings& edit) : CSettingsPage(IDD_ALLDEF_RELOAD, edit) {}

void CAllDefReloadPage::DoDataExchange(ui::DataExchange& dx) {
    for (size_t n = 0; n < m_edit.reloadEnable.size(); ++n) {
        const int offset = static_cast<int>(n);
        dx.Check(IDC_RELOAD_ENABLE0 + offset, m_edit.reloadEnable[n]);
        dx.Int(IDC_RELOAD_TIME0 + offset, m_edit.reloadTime[n], 1, 3600);
    }
}

}  // namespace zq
