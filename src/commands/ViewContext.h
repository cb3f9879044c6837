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
class CompanionLibrary;

struct ViewContext {
    HWND view = nullptr;
    HWND frame = nullptr;
    std::wstring programDir;
    Settings* settings = nullptr;
    PaneModes* modes = nullptr;
    DialogLists* lists = nullptr;
    CommandRegistry* registry = nullptr;
    // ZqDll.DLL, loaded at its first use.
    CompanionLibrary* companion = nullptr;
    // Every dialog and long operation is bracketed by these, through SuspendScope.
    std::function<void()> suspend;
    std::function<void()> resume;
};

// The view's periodic work stands still while this lives: a modal dialog or a
// long operation runs inside one, and every way out of it resumes.
class SuspendScope {
  public:
    explicit SuspendScope(const ViewContext& context) : m_resume(context.resume) {
        if (context.suspend) context.suspend();
    }
    ~SuspendScope() {
        if (m_resume) m_resume();
    }
    SuspendScope(const SuspendScope&) = delete;
    SuspendScope& operator=(const SuspendScope&) = delete;

  private:
    std::function<void()> m_resume;
};

}  // namespace zq
