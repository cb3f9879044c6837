#include "external/PluginHost.h"

#include <cwchar>

#include "common/Paths.h"
#include "external/GuardedLibrary.h"

namespace zq {
std::optional<std::size_t> FindPluginRecord(std::span<const StructZqPlugin> plugins, std::wstring_view text) {
    const std::size_t comma = text.find(L',');
    if (!text.starts_with(L'#') || comma == std::wstring_view::npos) return std::nullopt;
    const std::wstring_view key = text.substr(0, comma);
    const std::wstring_view file = text.substr(comma + 1);
    for (std::size_t n = 0; n < plugins.size(); ++n) {
        if (plugins[n].keyStr == key && SameIgnoringCase(plugins[n].name, file)) return n;
    }
    return std::nullopt;
}

std::vector<PluginMenuItem> PluginMenuItems(std::span<const StructZqPlugin> plugins) {
    std::vector<PluginMenuItem> items;
    for (std::size_t n = 0; n < plugins.size() && n < kMaxMenuPlugins; ++n) {
        if (plugins[n].viewMenu != 0) items.push_back({n, plugins[n].viewKey + L"," + plugins[n].name});
    }
    return items;
}

std::wstring FormatPluginVersion(int version) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%d.%02d", version / 100, version % 100);
    return text;
}

std::wstring PluginPath(const std::wstring& directory, const std::wstring& name) {
    return JoinPath(directory, name);
}

PluginCallResult CallPlugin(const std::wstring& libraryPath, const PluginCall& call) {
    GuardedLibrary library(libraryPath);
    if (!library.Loaded()) return PluginCallResult::NoLibrary;
    const auto execute = library.Find<PFN_ZqExecutePlugin>(ZQ_PLUGIN_ENTRY_NAME);
    if (!execute) return PluginCallResult::NoEntryPoint;
    const std::optional<int> answer = execute(call.mainWindow, call.programDirectory.c_str(), call.userName.c_str(),
                                              call.keyText.c_str(), call.focused, call.other, &PluginMakePath);
    if (!answer) return PluginCallResult::Faulted;
    return *answer != 0 ? PluginCallResult::Changed : PluginCallResult::Unchanged;
}

int WINAPI PluginMakePath(const wchar_t* first, const wchar_t* second, wchar_t* out) {
    if (first == nullptr || second == nullptr || out == nullptr) return 0;
    const std::wstring joined = JoinPath(first, second);
    if (joined.size() >= ZQ_PLUGIN_PATH_CHARS) {
        out[0] = L'\0';
        return 0;
    }
    std::wmemcpy(out, joined.c_str(), joined.size() + 1);
    return 1;
}

}  // namespace zq
