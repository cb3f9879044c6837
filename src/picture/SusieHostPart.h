#pragma once
// The Susie plug-in host for the whole run, whatever the panes show: it reads
// the plug-in list at start-up and hands it back to the settings at each save.
//
//     view.AddPart(std::make_unique<SusieHostPart>(context));
//     ... SusieHostPart::Host() is what the picture viewer and archive browser ask ...
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "picture/SusiePluginHost.h"

namespace zq {

class SusieHostPart final : public IViewPart {
  public:
    explicit SusieHostPart(ViewContext& context);

    void RegisterCommands() override;
    void Start(const std::vector<std::wstring>& startDirectories) override;
    void StoreState(Settings& settings) const override;

    // What the host reported on a worker while a picture was decoded, shown
    // now on the window thread (a box owned by the view must come from its thread).
    void ShowPendingReports();

    // What keeps the thumbnail loader off the plug-ins while the array changes.
    void SetLoaderPause(std::function<void()> pause, std::function<void()> resume) {
        m_pauseLoader = std::move(pause);
        m_resumeLoader = std::move(resume);
    }

    // Keeps the thumbnail loader off the plug-ins (an archive being opened), and lets it go on.
    void PauseLoader() const {
        if (m_pauseLoader) m_pauseLoader();
    }
    void ResumeLoader() const {
        if (m_resumeLoader) m_resumeLoader();
    }

    // Null until Start has read the settings.
    [[nodiscard]] SusiePluginHost* Host() noexcept { return m_host.get(); }

    // SUSIEDIRECTORY, or the spi folder beside the program when it is empty.
    [[nodiscard]] static std::wstring DirectoryFrom(const std::wstring& setting, const std::wstring& programDir);

  private:
    void EditSettings();
    void EditZoom();
    void Report(const std::wstring& message);

    ViewContext& m_context;
    DWORD m_windowThread = 0;
    std::mutex m_pendingLock;
    std::vector<std::wstring> m_pending;
    std::unique_ptr<SusiePluginHost> m_host;
    std::function<void()> m_pauseLoader;
    std::function<void()> m_resumeLoader;
};

}  // namespace zq
