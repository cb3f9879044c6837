#include "picture/SusieHostPart.h"

#include "common/Paths.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

SusieHostPart::SusieHostPart(ViewContext& context) : m_context(context) {}

std::wstring SusieHostPart::DirectoryFrom(const std::wstring& setting, const std::wstring& programDir) {
    return setting.empty() ? JoinPath(programDir, L"spi") : setting;
}

void SusieHostPart::Start(const std::vector<std::wstring>& startDirectories) {
    (void)startDirectories;
    const Settings& settings = *m_context.settings;
    HWND owner = m_context.view;
    m_host = std::make_unique<SusiePluginHost>(
        DirectoryFrom(settings.susieDirectory, m_context.programDir),
        [owner](const std::wstring& message) { ui::ZqMessageBox(owner, message, MB_OK | MB_ICONWARNING); });
    if (settings.DEBUGMODE != 0)
        m_host->SetBeforeLoad([owner](const std::wstring& path) { ui::ZqMessageBox(owner, path); });
    m_host->Load(settings.pluginFiles, SusieLoadModeFrom(settings.HIGHLOADSPI));
}

void SusieHostPart::StoreState(Settings& settings) const {
    // Before Start the stored list is still the one that was read: keep it.
    if (m_host) settings.pluginFiles = m_host->StoredValues(SusieLoadModeFrom(settings.HIGHLOADSPI));
}

}  // namespace zq
