#pragma once
// What the view does with a key-down before (and instead of) the key
// dispatch: the application key, Return, and in Filer listings the pending
// key directory jump, incremental search and the drive list's letters.  Also
// the routing of system keys (Alt combinations and F10).
//
//   KeyDownRouter router(dispatcher, hooks, settings);
//   WM_KEYDOWN:    router.OnKeyDown(vk, ModifierIndex(shift, ctrl))
//   WM_SYSKEYDOWN: router.OnSystemKeyDown(vk, lParam & (1 << 29), shift, ctrl)
//   a consumed outcome means: do not pass the message on.
#include <cstdint>
#include <string_view>

#include "commands/KeyDispatcher.h"

namespace zq {

struct KeyDownSettings {
    bool enableMenuButton = true;            // ENABLEMENUBUTON
    bool incModeNeglectReturn = true;        // INCMODENEGLECTRETURN
    bool driveListCurJump[3] = {};           // DRIVELISTCURJUMP, ...SHIFT, ...CTRL (by modifier index)
    bool driveListChangeDriveByKey = false;  // DRIVELISTCHANGEDRIVEBYKEY
};

// The owners of the steps: the view, the in-list search, the directory jumps.
class IKeyDownHooks {
  public:
    virtual ~IKeyDownHooks() = default;
    // Mode query on the active pane (the one with the focus).
    [[nodiscard]] virtual bool ActivePaneInMode(std::uint32_t modeMask) const = 0;
    virtual void CancelKeyDirectoryJump() = 0;
    virtual void OpenPaneContextMenus() = 0;
    virtual void RunReturnAction() = 0;
    [[nodiscard]] virtual bool IncrementalSearchActive() const = 0;
    virtual void EndIncrementalSearch() = 0;
    [[nodiscard]] virtual bool KeyDirectoryJumpPending() const = 0;
    // Ends the pending jump; jumps when an entry of group 0 has this key name
    // (without regard to case).  The name is empty for a key without a record.
    virtual void RunKeyDirectoryJump(std::wstring_view keyName) = 0;
    // True when the search took the key.
    virtual bool OfferToIncrementalSearch(unsigned virtualKey, int modifier) = 0;
    virtual void MoveCursorToDrive(wchar_t letter, bool changeDrive) = 0;
};

inline constexpr unsigned kVirtualKeyApps = 0x5D;
inline constexpr unsigned kVirtualKeyReturn = 0x0D;
inline constexpr unsigned kVirtualKeyF10 = 0x79;

class KeyDownRouter {
  public:
    KeyDownRouter(KeyDispatcher& dispatcher, IKeyDownHooks& hooks, const KeyDownSettings& settings)
        : m_dispatcher(dispatcher), m_hooks(hooks), m_settings(settings) {}

    [[nodiscard]] KeyOutcome OnKeyDown(unsigned virtualKey, int modifier);

    // Alt combinations go to the dispatcher with the Alt index; F10 (and an
    // Alt+F10 that nothing took) continues as an ordinary key-down; every
    // other system key is left to the window.
    [[nodiscard]] KeyOutcome OnSystemKeyDown(unsigned virtualKey, bool altDown, bool shiftDown, bool ctrlDown);

  private:
    KeyDispatcher& m_dispatcher;
    IKeyDownHooks& m_hooks;
    const KeyDownSettings& m_settings;
};

}  // namespace zq
