#pragma once
// The plug-in list and the call of a plug-in command.
//
//     std::optional<size_t> n = FindPluginRecord(plugins, L"#TOOL,tool.dll");
//     if (!n) ...not a plug-in command...
//     PluginCallResult r = CallPlugin(PluginPath(directory, plugins[*n].name), call);
//     if (r == PluginCallResult::Changed) ...read the listings again...
//
// The library is loaded for the one call and freed after it; loading, the call
// and freeing run under the guard, so a plug-in that crashes gives a failed
// call and the program goes on.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "external/PluginApi.h"

namespace zq {

// One listed plug-in, in list order.
struct StructZqPlugin {
    std::wstring name;     // file name of the library in the plug-in directory
    int version = 0;       // major x 100 + minor
    std::wstring type;     // up to 3 characters
    std::wstring viewKey;  // the function name shown in lists and menus
    std::wstring keyStr;   // the command text that calls it, "#…"
    int viewMenu = 0;      // 1: the plug-in has a menu item
    bool operator==(const StructZqPlugin&) const = default;
};

inline constexpr std::size_t kMaxMenuPlugins = 50;
inline constexpr unsigned kPluginMenuFirst = 3050;

// The record a command text "#key,file" names: P_KEYSTR equal to the part
// before the first comma, P_NAME equal to the rest without regard to case.
[[nodiscard]] std::optional<std::size_t> FindPluginRecord(std::span<const StructZqPlugin> plugins,
                                                          std::wstring_view text);

struct PluginMenuItem {
    std::size_t index;  // into the list; the item's identifier is kPluginMenuFirst + index
    std::wstring label;
};
// The menu items of the first kMaxMenuPlugins records that have P_VIEWMENU set.
[[nodiscard]] std::vector<PluginMenuItem> PluginMenuItems(std::span<const StructZqPlugin> plugins);

// "%d.%02d" of a version number.
[[nodiscard]] std::wstring FormatPluginVersion(int version);
// The library's path: "%s\%s" of the plug-in directory and the file name.
[[nodiscard]] std::wstring PluginPath(const std::wstring& directory, const std::wstring& name);

struct PluginCall {
    HWND mainWindow = nullptr;
    std::wstring programDirectory;
    std::wstring userName;
    std::wstring keyText;
    const StructZqPaneInfo* focused = nullptr;
    const StructZqPaneInfo* other = nullptr;
};

enum class PluginCallResult {
    NoLibrary,     // the file is missing or would not load
    NoEntryPoint,  // it exports no ZqExecutePlugin
    Faulted,       // the call crashed inside the library
    Unchanged,     // it answered 0
    Changed,       // it answered non-zero: the listings are read again
};

[[nodiscard]] PluginCallResult CallPlugin(const std::wstring& libraryPath, const PluginCall& call);

// The service routine handed to every plug-in.
int WINAPI PluginMakePath(const wchar_t* first, const wchar_t* second, wchar_t* out);

}  // namespace zq
