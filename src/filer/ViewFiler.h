#pragma once
// The Filer side of the view: the two panes' listings, their drawing and the
// Filer's own commands (cursor, marks, directories, sort, display).
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "commands/CommandIds.h"
#include "common/Handle.h"
#include "filer/DriveList.h"
#include "filer/FilerCellPainter.h"
#include "filer/FilerHeaderLayout.h"
#include "filer/FilerLayout.h"
#include "filer/InListSearch.h"
#include "filer/SortSettings.h"

namespace zq {

class FilerPane;
class DriveFactsReader;
class INetEnumerator;
class NetworkList;
class NetworkListAccounts;
struct DriveListLine;
struct StructDriveFacts;
class IListingSource;
class CursorMemory;
struct Settings;

class ViewFiler final : public IPaneContent, public IPaneFrame {
  public:
    // `source`: where both panes' listings come from; the file system when null.
    explicit ViewFiler(ViewContext& context, IListingSource* source = nullptr);
    ~ViewFiler() override;
    ViewFiler(const ViewFiler&) = delete;
    ViewFiler& operator=(const ViewFiler&) = delete;

    // At the view's creation, after the settings are loaded: options, pane
    // modes and the start directories (`commandLine`: the "-d" options, made
    // absolute; two of them show the second pane).
    void Create(const std::vector<std::wstring>& commandLine = {});
    // IPaneContent
    [[nodiscard]] std::uint32_t ModeMask() const override;
    void RegisterCommands() override;
    void Start(const std::vector<std::wstring>& startDirectories) override { Create(startDirectories); }
    // The Filer lays the view out: its header band on top, the panes split below.
    IPaneFrame* Frame() override { return this; }
    PaneFrame Arrange(HDC dc, const RECT& client) override;
    void PaintFrame(HDC dc, const RECT& client, const PaneFrame& frame) override;
    void Paint(HDC dc, int pane, const RECT& rect) override;
    // Timer 1's periodic work for the listings.
    void OnPeriodicTimer() override;
    void OnOperationEnded() override { Refresh(); }
    void OnSettingsChanged(bool reread) override;
    bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Clicks, double clicks, the right button's shell menu and the wheel
    // (ViewFilerMouse.cpp); the layout says which pane a point is in.
    PaneMouseOutcome OnMouse(int pane, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Return in a listing enters the directory under the cursor.
    void RunReturnAction() override;
    bool OpenLocation(int pane, const std::wstring& path) override;
    // Typing in a listing: the in-list searches (ViewFilerSearch.cpp).
    bool OnKey(UINT message, WPARAM wParam, LPARAM lParam) override;
    [[nodiscard]] bool IncrementalSearchActive() const override { return m_search.IncrementalActive(); }
    void EndIncrementalSearch() override;
    bool OfferToIncrementalSearch(unsigned virtualKey, int modifier) override;
    // @Dirjumpkey's pending key (ViewFilerJump.cpp).
    [[nodiscard]] bool KeyDirectoryJumpPending() const override { return m_keyJumpPending; }
    void CancelKeyDirectoryJump() override { m_keyJumpPending = false; }
    void RunKeyDirectoryJump(std::wstring_view keyName) override;
    // A letter typed in the drive list (ViewFilerDrives.cpp).
    void MoveCursorToDrive(wchar_t letter, bool changeDrive) override;
    [[nodiscard]] bool CanRun(CommandId id) const override;
    bool Run(CommandId id, const CommandCall& call) override;

    // An operation dialog ended (command 1185): re-read the shown listings,
    // keeping the marks of every entry still there.
    void Refresh();
    // What the next start reads back: ENDDIRECTORY, ENDDIRECTORY2 and, with
    // SAVECURSORPOSITION, the cursor memory including the directories shown now.
    void StoreState(Settings& settings) const override;
    // An ordinary change of directory: leaving records the history and the
    // cursor memory, entering places the cursor from it.
    void ChangePaneDirectory(int index, const std::wstring& path);
    // The settings changed (settings dialog, @Changefilerinfo …): hand them to
    // the panes again; the next paint lays out anew.
    void ApplySettings();

    // Return on a directory: enters the directory under the active pane's
    // cursor ("..": the parent).  False when the cursor is not on a directory.
    bool EnterCursorDirectory();

    // The mouse over the Filer, at a point in the view's client pixels
    // (ViewFilerMouse.cpp).  A click activates the pane under it and puts that
    // pane's cursor on the entry there; Shift marks the run from the cursor to
    // the entry, Ctrl toggles the one entry.  False when no pane is there.
    enum class ClickKind { Plain, Range, Toggle };
    bool OnMouseClick(POINT point, ClickKind kind);
    // A click on the header's drive row: a letter does what @Log%c does; the
    // arrows scroll the row.  False when the point is not on the row.
    bool OnHeaderDriveClick(POINT point);
    // The wheel: the active pane's cursor moves `entries` on (negative: back).
    void OnMouseWheel(int entries);
    // The full path of the entry under the point ("." and ".." give none).
    [[nodiscard]] std::wstring EntryPathAt(POINT point);
    // What the window's title names: the active pane's location.
    [[nodiscard]] std::wstring ActiveLocation() override;
    // The split and grids of the last paint (no pane is shown before it).
    [[nodiscard]] const filer::FilerLayoutResult& LayoutResult() const { return m_layout; }

    // The active pane goes to `path` from a jump, a bookmark, a typed path or a
    // search result; `cursorName` is put under the cursor when given.
    void GoToDirectory(const std::wstring& path, const std::wstring& cursorName, bool addToJumpList);
    // Runs a "#" plug-in command text for the extension tables; the plug-in part sets it.
    void SetPluginRunner(std::function<bool(std::wstring_view)> runner) { m_runPlugin = std::move(runner); }

    // The two panes (0 and 1), the one with the focus and the other one.
    FilerPane& Pane(int index);
    [[nodiscard]] int ActivePane() const;
    [[nodiscard]] int OtherPane() const { return ActivePane() ^ 1; }

  private:
    class Host;
    using Action = std::function<void()>;

    void RegisterCursorCommands();
    void RegisterMarkCommands();
    void RegisterDirectoryCommands();
    void RegisterPaneCommands();
    void RegisterSortCommands();
    void RegisterDisplayCommands();
    void RegisterDialogCommands();
    void RegisterNavigateCommands();
    void RegisterSearchCommands();
    void RegisterJumpCommands();
    void RegisterExecuteCommands();
    void RegisterDriveCommands();
    void RegisterNetworkCommands();
    // The drive list in pane `index`, the cursor on the drive it was on (ViewFilerDrives.cpp).
    void ShowDriveList(int index);
    // Starts reading the drives' facts and waits a moment for them.
    void ReadDriveFacts();
    [[nodiscard]] std::vector<DriveListLine> DriveLines() const;
    // Facts that arrived since the list was built: the panes showing it are redrawn.
    bool RefreshDriveLists();
    // Return on a drive-list line: into the drive (or the network).
    void EnterDriveLine(int index);
    // @Log%c: the drive's last directory when it still exists, else its root.
    void ChangeDrive(int index, wchar_t letter);
    // @Rename on a drive line: the volume label.
    void ChangeVolumeLabel(int index);
    void FormatDrive(int index);
    // The network listing (ViewFilerNetwork.cpp): each pane's own, made on first use.
    NetworkList& NetworkOf(int index);
    void ShowNetwork(int index, bool entireNetwork);
    // The pane shows what the pane's network listing holds now, the cursor on `cursorName`.
    void ApplyNetwork(int index, const std::wstring& cursorName);
    // A network question given up on has been answered: the panes that showed
    // the late answer are read again, which takes it.  True when one was.
    bool ReadWhatAwaitedNetwork();
    void EnterNetworkEntry(int index);
    // Where a step of the network listing leads: a level, a share, or the drive list.
    void FollowNetworkStep(int index, int kind, const std::wstring& path, const std::wstring& cursorName);
    void ConnectionDialog(bool connect);
    // "ネットワーク設定" and "仮想ドライブ設定" (ViewFilerNetwork.cpp, ViewFilerVirtualDrive.cpp).
    void EditNetworkSettings();
    void EditVirtualDrives();
    // The pane modes follow what each Filer pane lists (directory, drive list, network).
    void SyncPaneModes();
    // A cursor command ran: the incremental search ends or forgets its buffer, as the settings say.
    void OnCursorMovedForSearch();
    // Opening the file under the active pane's cursor (Enter, @Returnkey).
    bool OpenCursorFile(bool shift);
    // Registers `name` for the Filer; every handler ends with AfterCommand().
    void Add(CommandId id, Action action);
    void AfterCommand();

    [[nodiscard]] bool PaneShown(int index) const;
    void Focus(int index);
    void ClimbUp(int index);
    // @Changefilerdata: the two pane objects trade sides with all their state.
    void ExchangePanes();
    // Going up from a network root: the network listing.
    void LeaveForListing(int index);
    void ReadKeepingCursor(int index);
    void ReReadAllPanes();
    void ResortKeepingCursor(int index);
    // New default sort values for the active pane (and the other one with CHYNCROSORT), kept in the settings.
    void StoreDefaultSortOfActive(const SortSettings& sort);
    // The sort dialog on `sort`; false when cancelled.
    bool AskSort(bool temporary, SortSettings& sort);

    void EnsureFont();
    void Layout(HDC dc, const RECT& area);
    // `full`: the picture starts from nothing; otherwise only the cells that
    // look different from the last paint are painted again.
    void PaintPane(HDC dc, int index, bool full);
    void PaintHeader(HDC dc, int width);
    void PaintHeaderClock(HDC dc);
    [[nodiscard]] filer::FilerHeaderOptions HeaderOptions() const;
    // Timer 1: the header's clock, and the battery when its text changed.
    void InvalidateHeaderClock();
    [[nodiscard]] std::wstring VolumeLabelOf(const std::wstring& path);

    ViewContext& m_context;
    std::unique_ptr<Host> m_host;
    std::array<std::unique_ptr<FilerPane>, 2> m_panes;
    std::unique_ptr<CursorMemory> m_cursorMemory;
    UniqueGdiObject m_font;
    filer::FilerLayoutResult m_layout;

    // The picture of the Filer as last painted, and what it shows, so that a
    // paint after a cursor move or a small change redraws only those cells.
    UniqueGdiObject m_picture;
    SIZE m_pictureSize{};
    bool m_pictureValid = false;
    // A pane whose cells must all be painted again after the picture was cleared.
    std::array<bool, 2> m_paneFull{true, true};
    POINT m_pictureOrigin{};
    filer::FilerColors m_paintedColors;
    std::array<std::vector<filer::PaintCell>, 2> m_paintedCells;
    std::array<filer::PaintCell, 2> m_paintedTitles;
    std::wstring m_paintedBattery;
    // Volume labels by root, read once: asking a removable drive each paint would spin it up.
    std::wstring m_volumeRoot;
    std::wstring m_volumeLabel;
    // Fine-grained wheels send parts of a notch; they add up to whole entries.
    int m_wheelRest = 0;
    // The header's drive row (DRIVE_LIST_ON_HEADER) as last painted, and the
    // first letter it shows when there are more than fit.
    RECT m_headerDriveBox{};
    int m_headerDriveFirst = 0;
    InListSearch m_search;
    bool m_keyJumpPending = false;
    // The paths gone to from the jump dialogs, newest first, offered by @Dirchange.
    std::vector<std::wstring> m_jumpList;
    // The drive list's facts: read on workers, collected by the periodic timer.
    std::unique_ptr<DriveFactsReader> m_driveFacts;
    std::vector<StructDriveFacts> m_drives;
    // A share left upwards whose way back through the network is unknown: an extra line of the drive list.
    std::wstring m_networkRootLeft;
    std::unique_ptr<INetEnumerator> m_netEnumerator;
    std::unique_ptr<NetworkListAccounts> m_netAccounts;
    // Keyed by pane object, so that a pane keeps its listing when the two trade sides.
    std::vector<std::pair<const FilerPane*, std::unique_ptr<NetworkList>>> m_networks;
    // Opening the file under the cursor, set up with the execution commands.
    std::function<void(bool shift)> m_openFile;
    std::function<bool(std::wstring_view)> m_runPlugin;
};

}  // namespace zq
