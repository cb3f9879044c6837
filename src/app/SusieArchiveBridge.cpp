#include "app/SusieArchiveBridge.h"

#include <cstring>

namespace zq {

bool SusieArchiveBridge::List(const std::wstring& path, std::vector<StructPluginMember>& members, int& plugin) {
    members.clear();
    SusiePluginHost* host = m_host();
    SusieArchive archive;
    if (host == nullptr || host->ListArchive(path, archive) != susie::kOk) return false;
    members.reserve(archive.entries.size());
    for (const susie::FileInfo& entry : archive.entries)
        members.push_back(
            {entry.path, entry.filename, entry.position, entry.filesize, static_cast<std::int64_t>(entry.timestamp)});
    plugin = archive.plugin;
    return true;
}

int SusieArchiveBridge::Extract(const std::wstring& path, int plugin, const StructPluginMember& member,
                                UniqueLocal& data, std::size_t& size) {
    SusiePluginHost* host = m_host();
    if (host == nullptr) return susie::kInternalError;
    SusieArchive archive;
    archive.plugin = plugin;
    archive.ansiPath = SusiePluginHost::PluginPath(path);
    susie::FileInfo entry{};
    entry.position = static_cast<ULONG_PTR>(member.position);
    entry.filesize = static_cast<ULONG_PTR>(member.size);
    std::strncpy(entry.path, member.path.c_str(), sizeof entry.path - 1);
    std::strncpy(entry.filename, member.fileName.c_str(), sizeof entry.filename - 1);
    return host->ExtractMember(archive, entry, data, size);
}

}  // namespace zq
