#pragma once
// What the archive browser and the unpacking need of the Susie archive
// plug-ins.  The plug-in host is a feature of its own, so the application
// hands this in; tests hand in the host itself through the same adapter.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Handle.h"

namespace zq {

// One entry of GetArchiveInfo, its texts still in the ANSI code page.
struct StructPluginMember {
    std::string path;  // the folder inside the archive, as the plug-in gave it
    std::string fileName;
    std::uint64_t position = 0;
    std::uint64_t size = 0;
    std::int64_t timestamp = 0;  // seconds since 1970, UTC
};

class IArchivePlugins {
  public:
    virtual ~IArchivePlugins() = default;
    // The first archive plug-in that claims and accepts the file lists it;
    // `plugin` identifies it for Extract.  False when none does.
    [[nodiscard]] virtual bool List(const std::wstring& path, std::vector<StructPluginMember>& members,
                                    int& plugin) = 0;
    // A listed member into local memory (GetFile, output to memory); a Susie
    // result (0 done, 3 broken data or a password needed).
    [[nodiscard]] virtual int Extract(const std::wstring& path, int plugin, const StructPluginMember& member,
                                      UniqueLocal& data, std::size_t& size) = 0;
    // The background thumbnail loader keeps off the plug-ins while an archive is opened.
    virtual void PauseLoader() {}
    virtual void ResumeLoader() {}
};

}  // namespace zq
