#include "fileops/CMyCopyDlg.h"

#include <commctrl.h>

#include "common/Paths.h"
#include "fileops/CSelCopyFileDlg.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"
#include "ui/CommonDialogs.h"

namespace zq::fileops {
namespace {

constexpr UINT_PTR kProgressTimer = 1;

struct FieldControl {
    ProgressField field;
    int id;
};
constexpr FieldControl kFieldControls[] = {
    {ProgressField::File, IDC_COPY_FILE},
    {ProgressField::Destination, IDC_COPY_DEST},
    {ProgressField::FreeSpace, IDC_COPY_FREE},
    {ProgressField::FilePercent, IDC_COPY_PERCENT},
    {ProgressField::OverallBytes, IDC_COPY_OVERALL_BYTES},
    {ProgressField::OverallFiles, IDC_COPY_OVERALL_FILES},
    {ProgressField::OverallPercent, IDC_COPY_OVERALL_PERCENT},
    {ProgressField::Speed, IDC_COPY_SPEED},
    {ProgressField::Remaining, IDC_COPY_REMAIN},
    {ProgressField::EndTime, IDC_COPY_END},
    {ProgressField::Elapsed, IDC_COPY_ELAPSED},
    {ProgressField::StartTime, IDC_COPY_START},
};

constexpr int kOptionControls[] = {IDC_COPY_DEST,
                                   IDC_COPY_BROWSE,
                                   IDC_COPY_MINIMUM,
                                   IDC_COPY_EXTRA,
                                   IDC_COPY_NOQUESTION,
                                   IDC_COPY_VERIFY,
                                   IDC_COPY_SELECT,
                                   IDOK,
                                   IDCANCEL};

bool IsDropMode(unsigned mode) {
    return mode == kModeDropCopy || mode == kModeDropMove;
}

}  // namespace

CMyCopyDlg::CMyCopyDlg(HWND view, unsigned mode, unsigned paneIndex, CopyDialogSettings& settings)
    : COperationDlg(IDD_COPY, view), m_mode(mode), m_paneIndex(paneIndex), m_settings(settings) {}

bool CMyCopyDlg::OnInitDialog() {
    const std::wstring_view title = CopyModeTitle(m_mode);
    if (!title.empty()) ::SetWindowTextW(m_hWnd, std::wstring(title).c_str());
    ::SendDlgItemMessageW(m_hWnd, IDC_COPY_PROGRESS, PBM_SETRANGE32, 0, 100);
    ::SendDlgItemMessageW(m_hWnd, IDC_COPY_PROGRESS, PBM_SETPOS, 0, 0);
    EnableItem(IDC_COPY_ABORT, false);
    ::CheckDlgButton(m_hWnd, IDC_COPY_MINIMUM, m_settings.minimize ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_COPY_EXTRA, m_settings.overallDisplay ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_COPY_NOQUESTION, m_settings.noQuestion ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_COPY_VERIFY, m_settings.verify ? BST_CHECKED : BST_UNCHECKED);

    if (IsDropMode(m_mode)) {
        SetDlgItemText(IDC_COPY_FILE, m_dropped.size() == 1 ? m_dropped.front() : std::wstring(L"DROPしたファイル"));
    } else {
        SetDlgItemText(IDC_COPY_FILE, m_source.Count() == 1 ? std::wstring(m_source.entries.front().cFileName)
                                                            : std::wstring(L"タグファイル"));
    }
    for (const std::wstring& choice : m_choices)
        ::SendDlgItemMessageW(m_hWnd, IDC_COPY_DEST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
    if (m_mode == kModeCopyToAll) {
        const bool single = m_other.Count() == 1 && SelectionSnapshot::IsDirectory(m_other.entries.front());
        SetDlgItemText(IDC_COPY_DEST, single ? m_other.directory + L"\\" + m_other.entries.front().cFileName + L"\\"
                                             : std::wstring(L"相手側のタグファイル"));
        EnableItem(IDC_COPY_DEST, false);
        EnableItem(IDC_COPY_BROWSE, false);
    } else {
        SetDlgItemText(IDC_COPY_DEST, m_destination);
        // The destination is a directory; a relative one is taken from the
        // source directory, and so is its completion.
        m_complement.Attach(GetDlgItem(IDC_COPY_DEST), true);
        if (!IsDropMode(m_mode)) m_complement.SetBaseDirectory(m_source.directory);
    }
    if (m_mode == kModeUpMove || m_mode == kModeNeglectDir || IsDropMode(m_mode)) {
        EnableItem(IDC_COPY_DEST, false);
        EnableItem(IDC_COPY_BROWSE, false);
        ::SetFocus(GetDlgItem(IDOK));
        if (IsDropMode(m_mode)) ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return false;
    }
    return true;
}

bool CMyCopyDlg::ResolveDestination(std::wstring& full) const {
    std::wstring typed = GetDlgItemText(IDC_COPY_DEST);
    while (!typed.empty() && typed.back() == L' ') typed.pop_back();
    if (typed.empty() || typed.find_first_of(L"*?\"<>|") != std::wstring::npos) return false;
    // A relative destination is taken from the source directory.  The text is
    // resolved by the program's own rules: the platform's full-path routine
    // would read "C:" as the process's current directory on drive C.
    const std::wstring base = IsDropMode(m_mode) ? std::wstring() : m_source.directory;
    full = ResolvePath(base, typed);
    return !full.empty() && full.size() < 520;
}

void CMyCopyDlg::OnOK() {
    if (Worker() != nullptr) return;
    m_settings.minimize = ::IsDlgButtonChecked(m_hWnd, IDC_COPY_MINIMUM) == BST_CHECKED;
    m_settings.overallDisplay = ::IsDlgButtonChecked(m_hWnd, IDC_COPY_EXTRA) == BST_CHECKED;
    m_settings.noQuestion = ::IsDlgButtonChecked(m_hWnd, IDC_COPY_NOQUESTION) == BST_CHECKED;
    m_settings.verify = ::IsDlgButtonChecked(m_hWnd, IDC_COPY_VERIFY) == BST_CHECKED;
    std::wstring destination;
    if (m_mode == kModeCopyToAll) {
        destination = m_other.directory;
    } else if (!ResolveDestination(destination)) {
        ui::ZqMessageBox(m_hWnd, L"入力したディレクトリ名が不正です");
        EnableItem(IDOK, true);
        EnableItem(IDCANCEL, true);
        return;
    }
    m_destination = GetDlgItemText(IDC_COPY_DEST);
    if ((m_mode == kModeMove || m_mode == kModeUpMove || m_mode == kModeNeglectDir) && onMarkSource) onMarkSource();

    CopyJobOptions options;
    options.mode = m_mode;
    options.noQuestion = m_settings.noQuestion;
    options.overallDisplay = m_settings.overallDisplay;
    options.minimize = m_settings.minimize;
    options.removableFast = m_settings.removableFast;
    options.verify = m_settings.verify;
    options.newFilesInPlace = m_settings.newFilesInPlace;
    options.sameName = m_settings.sameName;
    options.include = m_include;
    options.exclude = m_exclude;
    options.programDirectory = m_settings.programDirectory;
    CopyJobInput input;
    input.source = m_source;
    input.other = m_other;
    input.dropped = m_dropped;
    input.destination = destination;
    if (!StartWorker(std::make_unique<CCopyDlgThread>(m_hWnd, std::move(options), std::move(input), m_progress,
                                                      m_settings.editorName, m_settings.editorUnicodeOption)))
        return;
    SetTimer(kProgressTimer, 100);
}

void CMyCopyDlg::OnCancel() {
    Finish();
}

bool CMyCopyDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (COperationDlg::OnCommand(id, code, control)) return true;
    if (code != BN_CLICKED) return false;
    if (id == IDC_COPY_ABORT) {
        CancelWorker();
        EnableItem(IDC_COPY_ABORT, false);
        return true;
    }
    if (id == IDC_COPY_SELECT) {
        CSelCopyFileDlg dialog(m_hWnd, m_include, m_exclude);
        if (dialog.DoModal() == IDOK) {
            m_include = dialog.Include();
            m_exclude = dialog.Exclude();
        }
        return true;
    }
    if (id == IDC_COPY_BROWSE) {
        if (auto folder = ui::ChooseFolder(m_hWnd, L"コピー先", GetDlgItemText(IDC_COPY_DEST)))
            SetDlgItemText(IDC_COPY_DEST, *folder);
        return true;
    }
    return false;
}

void CMyCopyDlg::ShowProgress() {
    int bar = -1;
    bool runningNow = false, minimize = false;
    const auto changes = m_progress.TakeChanges(bar, runningNow, minimize);
    if (runningNow) {
        for (int id : kOptionControls) EnableItem(id, false);
        EnableItem(IDC_COPY_ABORT, true);
        ::SetFocus(GetDlgItem(IDC_COPY_ABORT));
        if (minimize) ::ShowWindow(m_hWnd, SW_MINIMIZE);
    }
    for (const auto& [field, text] : changes)
        for (const FieldControl& row : kFieldControls)
            if (row.field == field) SetDlgItemText(row.id, text);
    if (bar >= 0) ::SendDlgItemMessageW(m_hWnd, IDC_COPY_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(bar), 0);
}

void CMyCopyDlg::OnTimer(UINT_PTR id) {
    if (id == kProgressTimer) ShowProgress();
}

void CMyCopyDlg::OnFinishing() {
    KillTimer(kProgressTimer);
    // Nothing is left to stop; the window may take a moment to go on some displays.
    EnableItem(IDC_COPY_ABORT, false);
}

void CMyCopyDlg::OnWorkerJoined(ui::CJobThread& worker) {
    m_settings.sameName = static_cast<CCopyDlgThread&>(worker).SameNameSettingsAfter();
    if ((m_mode == kModeCopy || m_mode == kModeMove) && onDestinationUsed) onDestinationUsed(m_destination);
}

}  // namespace zq::fileops
