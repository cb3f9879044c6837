#pragma once
// What the view's parts (Filer, file operations, …) share with the view: its
// windows, the settings, the pane modes, the dialog lists and the command
// registry where each part registers its handlers.
#include <windows.h>

#include <functional>
#include <string>

namespace zq {

struct Settings;
class PaneModes;
class DialogLists;
class CommandRegistry;

struct ViewContext {
    HWND view = nullptr;
    HWND frame = nullptr;
    std::wstring programDir;
    Settings* settings = nullptr;
    PaneModes* modes = nullptr;
    DialogLists* lists = nullptr;
    CommandRegistry* registry = nullptr;
    // Every dialog and long operation is bracketed by these.
    std::function<void()> suspend;
    std::function<void()> resume;
};

}  // namespace zq
