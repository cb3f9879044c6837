#pragma once
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "fileops/DialogLists.h"
#include "app/PaneModes.h"
#include "app/StartupRules.h"
#include "app/ViewContext.h"
#include "commands/CommandRegistry.h"
#include "commands/KeyAssignments.h"
#include "commands/KeyDispatcher.h"
#include "commands/KeyDownRouter.h"
#include "commands/MenuBar.h"
#include "commands/MenuRouting.h"
#include "ui/CView.h"

struct StructZqCplData;

namespace zq {

struct Settings;
class IniFile;
class SettingsSaver;
enum class SaveOutcome;
struct UserIniState;
class ViewFiler;
class ViewFileOps;
class CompanionLibrary;
class TaskTray;

// What start-up hands to the view.
struct StructViewStart {
    Settings* settings = nullptr;
    IniFile* reader = nullptr;      // the start-up reader; the view reads the rest of the sections from it
    SettingsSaver* saver = nullptr;
    UserIniState* user = nullptr;
    std::wstring programDir;
    std::wstring mainIniPath;
    std::wstring userName;
    std::vector<std::wstring> startDirectories;  // the "-d" options of this copy, made absolute
};

// The one view: it owns the two panes and draws and drives everything.
class CZqView : public ui::CView, private IKeyDispatchHost, private IKeyDownHooks {
public:
    enum StartedFlag { kNotStarted = 0, kIdle = 1, kPeriodicWork = 2 };

    explicit CZqView(StructViewStart start);
    ~CZqView() override;

    // Answers whether the program ends; fromClose is set when the frame is being closed.
    bool QuitRequest(bool fromClose);
    [[nodiscard]] bool Quitting() const noexcept { return m_quitting; }

    // Every dialog and long operation started from the view is bracketed by these.
    void Suspend();
    void Resume();
    [[nodiscard]] int StartedFlag() const noexcept { return m_started; }

    // "設定保存": writes every setting now (nothing once the final save is done).
    void SaveSettings();
    // The last save, at the view's destruction or before Windows ends.
    void SaveSettingsFinal();

    PaneModes& Modes() noexcept { return m_modes; }
    // The registered message of the second-instance hand-over and the block it reads.
    void SetDirChangeSource(UINT message, const class ProcessShared* shared) noexcept {
        m_dirChangeMessage = message;
        m_shared = shared;
    }
    DialogLists& Lists() noexcept { return m_lists; }
    // The frame moved or changed size: ENDX, ENDY, ENDWIDE and ENDHEIGHT follow it.
    void RecordPlacement();

protected:
    bool OnCreate() override;
    void OnDraw(HDC dc, const RECT& client) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class QuitUi;
    void PlaceWindow(int phase);
    void ReportSave(SaveOutcome outcome);
    void OnTimer(UINT_PTR id);
    void OnOperationEnded();
    void StoreViewState();

    // Keys, menus and the commands of the view itself (CZqViewKeys.cpp).
    void CreateKeys();
    void RegisterViewCommands();
    bool OnKeyDown(WPARAM virtualKey);
    bool OnSystemKeyDown(WPARAM virtualKey, LPARAM lParam);
    void OnMenuCommand(UINT id);
    void UpdateMenuBar(bool force = false);
    void DecorateMenuPopup(HMENU popup);
    // Commands of the main window itself and of the system utilities (CZqViewMenus.cpp).
    void RegisterWindowCommands();
    void LoadControlPanelItems();
    void OpenControlPanelItem(std::size_t index);
    void ShowControlPanelList();
    [[nodiscard]] std::wstring KeyDataStartPath() const;
    void OnDirChangeRequest();
    void SwapPaneFocus();
    void OnDropFiles(HDROP drop);
    // Clicks, double clicks, the right button and the wheel (CZqViewMouse.cpp).
    bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // The frame's title names the active pane's location.
    void UpdateFrameTitle();
    void ChangePaneDirectory(int pane, const std::wstring& path);
    [[nodiscard]] ModeGroup FocusedGroup() const;
    void StoreKeysInSettings();

    // IKeyDispatchHost
    bool ShownPaneInMode(std::uint32_t modeMask) const override;
    void HideToTaskTray(int modifier, unsigned virtualKey) override;
    bool RunPluginCommand(std::wstring_view text) override;
    void RunProgram(const ProgramCall& call) override;
    // IKeyDownHooks
    bool ActivePaneInMode(std::uint32_t modeMask) const override;
    void CancelKeyDirectoryJump() override {}
    void OpenPaneContextMenus() override;
    void RunReturnAction() override;
    bool IncrementalSearchActive() const override { return false; }
    void EndIncrementalSearch() override {}
    bool KeyDirectoryJumpPending() const override { return false; }
    void RunKeyDirectoryJump(std::wstring_view) override {}
    bool OfferToIncrementalSearch(unsigned, int) override { return false; }
    void MoveCursorToDrive(wchar_t, bool) override {}

    StructViewStart m_start;
    Settings& m_settings;
    PaneModes m_modes;
    DialogLists m_lists;
    ViewContext m_context;
    CommandRegistry m_registry;
    MenuRouter m_menuRouter{m_registry};
    std::vector<StructZqCplData> m_cplItems;
    KeyAssignments m_keys;
    HiddenMenuFlags m_hiddenMenus;
    KeyDownSettings m_keyDownSettings;
    std::unique_ptr<KeyDispatcher> m_dispatcher;
    std::unique_ptr<KeyDownRouter> m_router;
    std::unique_ptr<ViewFiler> m_filer;
    std::unique_ptr<ViewFileOps> m_fileOps;
    std::unique_ptr<CompanionLibrary> m_companion;
    std::unique_ptr<TaskTray> m_tray;
    unsigned m_menuResource = 0;
    bool m_menuUpdatePosted = false;
    UINT m_dirChangeMessage = 0;
    UINT m_unpackStartMessage = 0;
    UINT m_previewLoadMessage = 0;
    const class ProcessShared* m_shared = nullptr;
    StructLastPlacement m_last{};
    int m_started = kNotStarted;
    bool m_quitting = false;
    bool m_placementDone = false;
    bool m_firstPaintDone = false;
    bool m_tearingDown = false;
    std::wstring m_title;
    int m_wheelRest = 0;
};

}  // namespace zq
