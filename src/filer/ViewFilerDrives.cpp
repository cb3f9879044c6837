// The drive list in the Filer: showing it, keeping its facts current,
// entering a drive from it, changing drive by letter, and the two drive
// commands of the list (volume label, format).
#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "common/Paths.h"
#include "external/GuardedLibrary.h"
#include "filer/COnlyEditNameDlg.h"
#include "filer/CursorMemory.h"
#include "filer/DriveListFacts.h"
#include "filer/FilerPane.h"
#include "filer/FilerPath.h"
#include "filer/ViewFiler.h"
#include "filer/VirtualDriveSource.h"
#include "settings/EventSounds.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

// Long enough for drives that answer from memory, short enough not to be felt.
constexpr unsigned kFactsWaitMs = 300;

constexpr const wchar_t* kLabelFailed = L"ボリュームラベルの変更に失敗しました";
constexpr const wchar_t* kFormatFailed = L"ドライブ%lc:をフォーマットできませんでした";
constexpr const wchar_t* kFormatUnavailable = L"ディスクのフォーマットはこの環境では使えません";

uint32_t VirtualDriveMask(const Settings& settings) {
    uint32_t mask = 0;
    for (size_t n = 0; n < settings.virtualDrives.size(); ++n)
        if (settings.virtualDrives[n]) mask |= 1u << n;
    return mask;
}

void SetSystemCurrentDirectory() {
    // No removable medium stays locked by the process while the list is shown.
    wchar_t system[MAX_PATH] = {};
    if (::GetSystemDirectoryW(system, MAX_PATH)) ::SetCurrentDirectoryW(system);
}

const DriveListLine* CursorLine(const FilerPane& pane) {
    const std::vector<DriveListLine>& lines = pane.DriveLines();
    const int cursor = pane.Cursor();
    if (pane.Kind() != kKindDriveList || cursor < 0 || cursor >= static_cast<int>(lines.size())) return nullptr;
    return &lines[static_cast<size_t>(cursor)];
}

// The drive of the line under the cursor: its letter (0 for a line that names
// none), its root and the platform's type of it.
struct CursorDrive {
    wchar_t letter = 0;
    std::wstring root;
    UINT type = DRIVE_UNKNOWN;
};

CursorDrive CursorDriveOf(const FilerPane& pane) {
    CursorDrive drive;
    const DriveListLine* line = CursorLine(pane);
    drive.letter = line ? LetterOfLine(*line) : 0;
    if (drive.letter == 0) return drive;
    drive.root = {drive.letter, L':', L'\\'};
    drive.type = ::GetDriveTypeW(drive.root.c_str());
    return drive;
}

std::wstring Formatted(const wchar_t* format, wchar_t letter) {
    wchar_t text[128];
    std::swprintf(text, std::size(text), format, letter);
    return text;
}

}  // namespace

std::vector<DriveListLine> ViewFiler::DriveLines() const {
    const Settings& settings = *m_context.settings;
    DriveListInput input;
    input.drives = m_drives;
    input.virtualDrives = VirtualDriveMask(settings);
    input.networkRootLeft = m_networkRootLeft;
    input.viewNetworkOnList = settings.VIEWNETWORKONLIST != 0;
    return BuildDriveListLines(input);
}

void ViewFiler::ReadDriveFacts() {
    // A stick that took a virtual drive's letter hides that drive; one removed gives it back.
    ProcessVirtualDrives().Refresh(m_context.settings->virtualDrives, ::GetLogicalDrives());
    if (!m_driveFacts) m_driveFacts = std::make_unique<DriveFactsReader>(std::make_shared<Win32DriveProbe>());
    m_drives = m_driveFacts->Start();
    m_driveFacts->Wait(kFactsWaitMs);
    m_driveFacts->Collect(m_drives);
}

void ViewFiler::ShowDriveList(int index) {
    FilerPane& pane = Pane(index);
    pane.LeaveDirectory(m_cursorMemory.get());
    ReadDriveFacts();
    std::vector<DriveListLine> lines = DriveLines();
    const int cursor = DriveListCursorFor(lines, pane.Path());
    pane.ShowDriveList(std::move(lines), cursor);
    // The other pane may show the list too, from an older reading.
    FilerPane& other = Pane(index ^ 1);
    if (other.Kind() == kKindDriveList) other.UpdateDriveList(DriveLines());
    SetSystemCurrentDirectory();
    SyncPaneModes();
}

bool ViewFiler::RefreshDriveLists() {
    if (!m_driveFacts || !m_driveFacts->Collect(m_drives)) return false;
    bool shown = false;
    for (auto& pane : m_panes) {
        if (pane->Kind() != kKindDriveList) continue;
        pane->UpdateDriveList(DriveLines());
        shown = true;
    }
    return shown;
}

void ViewFiler::EnterDriveLine(int index) {
    const DriveListLine* line = CursorLine(Pane(index));
    if (!line) return;
    if (line->name == kNetworkComputerLine) {
        ShowNetwork(index, false);
        return;
    }
    const std::wstring target = line->name;
    if (target == m_networkRootLeft) m_networkRootLeft.clear();
    ChangePaneDirectory(index, target);
    SyncPaneModes();
}

void ViewFiler::ChangeDrive(int index, wchar_t letter) {
    std::wstring target{letter, L':'};
    const std::wstring& last = Pane(index).LastDirectoryOnDrive(letter);
    if (!last.empty() && IsExistingDirectory(last)) target = last;
    ChangePaneDirectory(index, target);
    SyncPaneModes();
}

void ViewFiler::MoveCursorToDrive(wchar_t letter, bool changeDrive) {
    const int index = ActivePane();
    FilerPane& pane = Pane(index);
    if (pane.Kind() != kKindDriveList) return;
    const int line = DriveLineOfLetter(pane.DriveLines(), letter);
    if (line < 0) return;
    pane.MoveCursor(line - pane.Cursor(), false);
    if (changeDrive) EnterDriveLine(index);
    AfterCommand();
}

void ViewFiler::SyncPaneModes() {
    PaneModes& modes = *m_context.modes;
    constexpr uint32_t kListingModes = pane_mode::kDirectory | pane_mode::kDriveList | pane_mode::kNetwork;
    for (int i = 0; i < 2; ++i) {
        const StructPaneMode now = modes.Get(i);
        // A pane that a viewer or a picture has taken keeps its mode.
        if (!(now.mode & kListingModes)) continue;
        const uint32_t kind = Pane(i).Kind();
        const uint32_t wanted = kind == kKindDriveList ? pane_mode::kDriveList
                                : kind == kKindNetwork ? pane_mode::kNetwork
                                                       : pane_mode::kDirectory;
        if (wanted != now.mode) modes.Set(i, now.state, wanted, now.subMode);
    }
}

bool ViewFiler::CanRun(CommandId id) const {
    if (id != cmd::filer::Rename) return false;
    const int focused = m_context.modes->FocusedPane();
    return focused >= 0 && m_panes[static_cast<size_t>(focused)]->Kind() == kKindDriveList;
}

bool ViewFiler::Run(CommandId id, const CommandCall&) {
    if (!CanRun(id)) return false;
    ChangeVolumeLabel(ActivePane());
    AfterCommand();
    return true;
}

void ViewFiler::ChangeVolumeLabel(int index) {
    const CursorDrive drive = CursorDriveOf(Pane(index));
    const wchar_t letter = drive.letter;
    const std::wstring& root = drive.root;
    if (letter == 0) return;
    if (drive.type != DRIVE_REMOVABLE && drive.type != DRIVE_FIXED && drive.type != DRIVE_RAMDISK) return;
    Settings& settings = *m_context.settings;
    PlayEventSound(settings, SoundEvent::Rename);
    wchar_t label[MAX_PATH + 1] = {};
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const bool asked =
        ::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) != FALSE;
    ::SetErrorMode(oldMode);
    if (!asked) {
        ui::ZqMessageBox(m_context.view, kLabelFailed);
        return;
    }
    COnlyEditNameDlg dialog(m_context.view, Formatted(L"%lcドライブのボリュームラベルの変更", letter), label,
                            kVolumeLabelUnits);
    bool ok = false;
    {
        const SuspendScope suspended(m_context);
        ok = dialog.DoModal() == IDOK;
    }
    if (!ok) return;
    if (!::SetVolumeLabelW(root.c_str(), dialog.Name().c_str())) {
        ui::ZqMessageBox(m_context.view, kLabelFailed);
        return;
    }
    // The line shows the new label once its facts are read again.
    ShowDriveList(index);
}

void ViewFiler::FormatDrive(int index) {
    const CursorDrive drive = CursorDriveOf(Pane(index));
    const wchar_t letter = drive.letter;
    const UINT type = drive.type;
    if (letter == 0) return;
    if (type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_CDROM || type == DRIVE_NO_ROOT_DIR) return;
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const GuardedLibrary shell(JoinPath(system, L"Shell32.DLL"));
    const auto format = shell.Find<DWORD(WINAPI*)(HWND, UINT, UINT, UINT)>("SHFormatDrive");
    if (!format) {
        ui::ZqMessageBox(m_context.view, kFormatUnavailable);
        return;
    }
    std::optional<DWORD> result;
    {
        const SuspendScope suspended(m_context);
        result = format(m_context.view, static_cast<UINT>(letter - L'A'), SHFMT_ID_DEFAULT, 0u);
    }
    if (!result) {
        ui::ZqMessageBox(m_context.view, kFormatUnavailable);
        return;
    }
    if (*result == SHFMT_CANCEL) return;
    if (*result == SHFMT_ERROR || *result == SHFMT_NOFORMAT) {
        ui::ZqMessageBox(m_context.view, Formatted(kFormatFailed, letter));
        return;
    }
    ShowDriveList(index);
}

void ViewFiler::RegisterDriveCommands() {
    Add(cmd::filer::Drivelist, [this] { ShowDriveList(ActivePane()); });
    Add(cmd::filer::Diskformat, [this] {
        if (Pane(ActivePane()).Kind() == kKindDriveList) FormatDrive(ActivePane());
    });
    for (int n = 0; n < 26; ++n) {
        const CommandId id{ModeGroup::Filer, static_cast<std::uint16_t>(command_index::filer::LogA + n)};
        Add(id, [this, n] { ChangeDrive(ActivePane(), static_cast<wchar_t>(L'A' + n)); });
    }
}

}  // namespace zq
