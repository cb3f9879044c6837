#pragma once
// The archive browser's way to the Susie archive plug-ins: the plug-in host
// of the picture viewer, behind the archive module's own interface.
#include <functional>

#include "archive/ArchivePlugins.h"
#include "picture/SusiePluginHost.h"

namespace zq {

class SusieArchiveBridge final : public IArchivePlugins {
  public:
    // `host` answers the host of the moment (null before the settings are read).
    SusieArchiveBridge(std::function<SusiePluginHost*()> host, std::function<void()> pause = {},
                       std::function<void()> resume = {})
        : m_host(std::move(host)), m_pause(std::move(pause)), m_resume(std::move(resume)) {}

    [[nodiscard]] bool List(const std::wstring& path, std::vector<StructPluginMember>& members, int& plugin) override;
    [[nodiscard]] int Extract(const std::wstring& path, int plugin, const StructPluginMember& member, UniqueLocal& data,
                              std::size_t& size) override;
    void PauseLoader() override {
        if (m_pause) m_pause();
    }
    void ResumeLoader() override {
        if (m_resume) m_resume();
    }

  private:
    std::function<SusiePluginHost*()> m_host;
    std::function<void()> m_pause;
    std::function<void()> m_resume;
};

}  // namespace zq
