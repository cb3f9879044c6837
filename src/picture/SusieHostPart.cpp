#include "picture/SusieHostPart.h"

#include "commands/CommandRegistry.h"
#include "common/Paths.h"
#include "picture/CDefSusieDlg.h"
#include "picture/CZoomSettingDlg.h"
#include "resource.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

SusieHostPart::SusieHostPart(ViewContext& context) : m_context(context) {}

std::wstring SusieHostPart::DirectoryFrom(const std::wstring& setting, const std::wstring& programDir) {
    return setting.empty() ? JoinPath(programDir, L"spi") : setting;
}

void SusieHostPart::RegisterCommands() {
    m_context.registry->RegisterMenu(IDM_SUSIE_SETTINGS, [this](const CommandCall&) { EditSettings(); });
    m_context.registry->RegisterMenu(IDM_ZOOM_SETTINGS, [this](const CommandCall&) { EditZoom(); });
}

void SusieHostPart::EditZoom() {
    Settings& settings = *m_context.settings;
    CZoomSettingDlg::Values values;
    values.steps = settings.zoomSteps;
    values.fixed = settings.ZOOMNUMBER;
    values.remember = settings.CHANGEZOOMENABLE != 0;
    CZoomSettingDlg dialog(m_context.view, values);
    if (dialog.DoModal() != IDOK) return;
    // A picture on show keeps its zoom; the next one starts at the new ratio.
    settings.zoomSteps = dialog.Result().steps;
    settings.ZOOMNUMBER = dialog.Result().fixed;
    settings.CHANGEZOOMENABLE = dialog.Result().remember ? 1 : 0;
}

void SusieHostPart::EditSettings() {
    if (!m_host) return;
    Settings& settings = *m_context.settings;
    const SuspendScope suspended(m_context);
    const std::wstring programDir = m_context.programDir;
    SusieSettingsModel model(m_host->Plugins(), SusieSettingsValues::From(settings));
    const auto directoryOf = [programDir](const std::wstring& typed) {
        SusiePluginHost probe(DirectoryFrom(typed, programDir), nullptr);
        return probe.Directory();
    };
    const auto rescan = [this, programDir](const std::wstring& typed) {
        SusiePluginHost scanner(DirectoryFrom(typed, programDir), [this](const std::wstring& m) { Report(m); });
        scanner.Rescan(false, SusieLoadMode::Off);
        return scanner.Plugins();
    };
    if (m_pauseLoader) m_pauseLoader();
    CDefSusieDlg dialog(m_context.view, model, rescan, directoryOf);
    const bool accepted = dialog.DoModal() == IDOK;
    if (accepted) {
        model.Values().To(settings);
        m_host->SetDirectory(DirectoryFrom(settings.susieDirectory, programDir));
        m_host->Plugins() = model.Plugins();
    }
    if (m_resumeLoader) m_resumeLoader();
}

void SusieHostPart::Start(const std::vector<std::wstring>& startDirectories) {
    (void)startDirectories;
    const Settings& settings = *m_context.settings;
    HWND owner = m_context.view;
    m_windowThread = ::GetCurrentThreadId();
    m_host = std::make_unique<SusiePluginHost>(DirectoryFrom(settings.susieDirectory, m_context.programDir),
                                               [this](const std::wstring& message) { Report(message); });
    if (settings.DEBUGMODE != 0)
        m_host->SetBeforeLoad([owner](const std::wstring& path) { ui::ZqMessageBox(owner, path); });
    m_host->Load(settings.pluginFiles, SusieLoadModeFrom(settings.HIGHLOADSPI));
}

void SusieHostPart::Report(const std::wstring& message) {
    if (::GetCurrentThreadId() == m_windowThread) {
        ui::ZqMessageBox(m_context.view, message, MB_OK | MB_ICONWARNING);
        return;
    }
    const std::lock_guard<std::mutex> hold(m_pendingLock);
    m_pending.push_back(message);
}

void SusieHostPart::ShowPendingReports() {
    std::vector<std::wstring> pending;
    {
        const std::lock_guard<std::mutex> hold(m_pendingLock);
        pending.swap(m_pending);
    }
    for (const std::wstring& message : pending) ui::ZqMessageBox(m_context.view, message, MB_OK | MB_ICONWARNING);
}

void SusieHostPart::StoreState(Settings& settings) const {
    // Before Start the stored list is still the one that was read: keep it.
    if (m_host) settings.pluginFiles = m_host->StoredValues(SusieLoadModeFrom(settings.HIGHLOADSPI));
}

}  // namespace zq
