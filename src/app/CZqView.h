#pragma once
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "commands/DialogLists.h"
#include "commands/PaneModes.h"
#include "app/StartupRules.h"
#include "commands/ViewContext.h"
#include "commands/CommandRegistry.h"
#include "commands/KeyAssignments.h"
#include "commands/KeyDispatcher.h"
#include "commands/KeyDownRouter.h"
#include "commands/MenuBar.h"
#include "commands/MenuRouting.h"
#include "commands/PaneContent.h"
#include "commands/PaneContents.h"
#include "ui/CView.h"

struct StructZqCplData;

namespace zq {

struct Settings;
class IniFile;
class SettingsSaver;
enum class SaveOutcome;
struct UserIniState;
class CompanionLibrary;
class ViewFilerPlugins;
class TaskTray;

// What start-up hands to the view.
struct StructViewStart {
    Settings* settings = nullptr;
    IniFile* reader = nullptr;  // the start-up reader; the view reads the rest of the sections from it
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

    // What every part is made with.
    ViewContext& Context() noexcept { return m_context; }
    // A pane content or a part without a pane, added at the view's creation
    // (app/PaneContentList.cpp); the view owns it from then on.
    template <class Content>
    Content& AddContent(std::unique_ptr<Content> content) {
        Content& added = *content;
        IPaneContent* shown = content.get();
        Attach(std::move(content), shown);
        return added;
    }
    template <class Part>
    Part& AddPart(std::unique_ptr<Part> part) {
        Part& added = *part;
        Attach(std::move(part), nullptr);
        return added;
    }
    // The part that runs "#" texts and the plug-in menu items 3050 + n.
    void SetPlugins(ViewFilerPlugins& plugins);

  protected:
    bool OnCreate() override;
    void OnDraw(HDC dc, const RECT& client) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    class QuitUi;
    class PartHost;
    void Attach(std::unique_ptr<IViewPart> part, IPaneContent* content);
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
    // A key message offered to the focused content before the key tables.
    bool OfferKeyToContent(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPartTimer(std::size_t part, unsigned id);
    void SwapPaneFocus();
    void OnDropFiles(HDROP drop);
    // Clicks, double clicks and the right button go to the content of the
    // pane under the pointer, the wheel too (CZqViewMouse.cpp).
    bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // The content the focused pane shows; null before the first is added.
    [[nodiscard]] IPaneContent* FocusedContent() const { return m_parts.Focused(); }
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
    void OpenPaneContextMenus() override;
    // The focused content answers the rest of the key hooks.
    void CancelKeyDirectoryJump() override;
    void RunReturnAction() override;
    bool IncrementalSearchActive() const override;
    void EndIncrementalSearch() override;
    bool KeyDirectoryJumpPending() const override;
    void RunKeyDirectoryJump(std::wstring_view keyName) override;
    bool OfferToIncrementalSearch(unsigned virtualKey, int modifier) override;
    void MoveCursorToDrive(wchar_t letter, bool changeDrive) override;

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
    // The pane contents and the other parts, known only by their interfaces.
    // The hosts outlive the parts, which may still call them as they go.
    std::vector<std::unique_ptr<PartHost>> m_partHosts;
    PaneContents m_parts{m_modes};
    std::unique_ptr<CompanionLibrary> m_companion;
    ViewFilerPlugins* m_plugins = nullptr;
    std::unique_ptr<TaskTray> m_tray;
    unsigned m_menuResource = 0;
    bool m_menuUpdatePosted = false;
    UINT m_dirChangeMessage = 0;
    const class ProcessShared* m_shared = nullptr;
    StructLastPlacement m_last{};
    int m_started = kNotStarted;
    bool m_quitting = false;
    bool m_placementDone = false;
    bool m_firstPaintDone = false;
    bool m_tearingDown = false;
    std::wstring m_title;
};

}  // namespace zq
