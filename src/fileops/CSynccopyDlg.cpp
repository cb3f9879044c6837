#include "fileops/CSynccopyDlg.h"

#include <commctrl.h>

#include "common/Paths.h"
#include "fileops/ArchiveSync.h"
#include "fileops/WorkerQuestions.h"
#include "filer/LocalClock.h"
#include "resource.h"
#include "ui/CJobThread.h"
#include "ui/CMessageBoxDlg.h"
#include "ui/CommonDialogs.h"

namespace zq::fileops {
namespace {

constexpr UINT_PTR kProgressTimer = 1;

struct Column {
    const wchar_t* title;
    int width;
};
constexpr Column kColumns[] = {
    {L"ファイル名", 170},
    {L"方式", 40},
    {L"転送元ファイル時間", 130},
    {L"転送先ファイル時間", 130},
};

// Locked while the worker runs: nothing may change what it is working through.
constexpr int kRunControls[] = {
    IDC_SYNCCOPY_DOWN, IDC_SYNCCOPY_UP, IDC_SYNCCOPY_NONE, IDC_SYNCCOPY_DEST, IDC_SYNCCOPY_BROWSE, IDOK, IDCANCEL};

void SetCell(HWND list, int row, int column, const std::wstring& text) {
    ListView_SetItemText(list, row, column, const_cast<wchar_t*>(text.c_str()));
}

std::vector<SyncSideFile> MemberFiles(const StructArchiveSide& archive) {
    std::vector<SyncSideFile> files;
    files.reserve(archive.files.size());
    for (const StructArchiveSideFile& file : archive.files) files.push_back({file.path, file.lastWrite});
    return files;
}

}  // namespace

CSynccopyDlg::CSynccopyDlg(HWND parent, SyncDialogInput input)
    : CDialog(IDD_SYNCCOPY_DIALOG, parent), m_input(std::move(input)) {}

CSynccopyDlg::~CSynccopyDlg() {
    StopWorker();
}

void CSynccopyDlg::StopWorker() {
    if (!m_worker) return;
    m_worker->RequestCancel();
    ui::JoinPumping(m_worker->Handle());
    m_worker.reset();
}

bool CSynccopyDlg::OnInitDialog() {
    HWND list = GetDlgItem(IDC_SYNCCOPY_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(kColumns[i].title);
        column.cx = kColumns[i].width;
        ListView_InsertColumn(list, i, &column);
    }
    ::SendDlgItemMessageW(m_hWnd, IDC_SYNCCOPY_PROGRESS, PBM_SETRANGE32, 0, 100);
    EnableItem(IDC_SYNCCOPY_ABORT, false);
    const StructArchiveSide* archive = ArchiveSide();
    // Member paths are compared from the archive's top; from a folder inside
    // it they would be matched against the wrong files.
    if (archive != nullptr && !archive->folder.empty()) {
        ui::ZqMessageBox(m_hWnd, L"圧縮ファイル内のディレクトリが一番上でありません");
        EndDialog(IDCANCEL);
        return true;
    }
    const auto& from = m_input.sourceArchive;
    const auto& to = m_input.destinationArchive;
    SetDlgItemText(IDC_SYNCCOPY_SOURCE, from ? JoinPath(from->directory, from->name) : m_input.source.directory);
    SetDlgItemText(IDC_SYNCCOPY_DEST, to ? JoinPath(to->directory, to->name) : m_input.destination);
    // An archive as the destination is the other pane's, not one to type.
    if (to) {
        ::SendDlgItemMessageW(m_hWnd, IDC_SYNCCOPY_DEST, EM_SETREADONLY, TRUE, 0);
        EnableItem(IDC_SYNCCOPY_BROWSE, false);
    }
    BuildList(m_input.destination);
    return true;
}

const StructArchiveSide* CSynccopyDlg::ArchiveSide() const {
    if (m_input.sourceArchive) return &*m_input.sourceArchive;
    return m_input.destinationArchive ? &*m_input.destinationArchive : nullptr;
}

void CSynccopyDlg::RunWithArchive(const StructArchiveSide& archive, bool archiveIsSource,
                                  const std::wstring& directory) {
    m_ran = true;
    if (archive.kind != 0 && archive.kind != 1) {
        ui::ZqMessageBox(m_hWnd, L"この形式の圧縮ファイルとは同期できません");
        EndDialog(IDCANCEL);
        return;
    }
    const ArchiveSyncSide side{archive.kind,        archive.directory,    archive.name,
                               archive.libraryPath, archive.unpackPrefix, archive.packPrefix};
    WorkerQuestions asker(m_hWnd);
    if (!RunArchiveSync(side, archiveIsSource, directory, m_lines, m_hWnd, asker))
        ui::ZqMessageBox(m_hWnd, L"圧縮ファイルとの同期に失敗したファイルがあります");
    EndDialog(IDOK);
}

void CSynccopyDlg::BuildList(const std::wstring& destination) {
    IFileSystem& fs = RealFileSystem();
    m_compared = destination;
    const auto& from = m_input.sourceArchive;
    const auto& to = m_input.destinationArchive;
    m_lines =
        BuildSyncList(from ? MemberFiles(*from) : CollectSelectedFiles(fs, m_input.source),
                      to ? ArchiveLookup(MemberFiles(*to)) : DirectoryLookup(fs, destination), m_input.includeMissing);
    HWND list = GetDlgItem(IDC_SYNCCOPY_LIST);
    ListView_DeleteAllItems(list);
    const LocalClock& clock = SystemLocalClock();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const StructSyncData& line = m_lines[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(line.relativePath.c_str());
        const int row = ListView_InsertItem(list, &item);
        SetCell(list, row, 1, DirectionSymbol(line));
        SetCell(list, row, 2, FormatSyncTime(clock, line.sourceTime));
        SetCell(list, row, 3, line.existsOnDestination ? FormatSyncTime(clock, line.destinationTime) : std::wstring());
    }
}

void CSynccopyDlg::ShowLine(size_t index, const std::wstring& name) {
    HWND list = GetDlgItem(IDC_SYNCCOPY_LIST);
    SetCell(list, static_cast<int>(index), 0, name);
    SetCell(list, static_cast<int>(index), 1, DirectionSymbol(m_lines[index]));
}

void CSynccopyDlg::Redirect(void (*press)(StructSyncData&)) {
    HWND list = GetDlgItem(IDC_SYNCCOPY_LIST);
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        if (static_cast<size_t>(row) >= m_lines.size()) break;
        press(m_lines[static_cast<size_t>(row)]);
        ShowLine(static_cast<size_t>(row), m_lines[static_cast<size_t>(row)].relativePath);
    }
}

void CSynccopyDlg::OnOK() {
    if (m_worker) return;
    if (m_input.destinationArchive) {
        RunWithArchive(*m_input.destinationArchive, false, m_input.source.directory);
        return;
    }
    std::wstring typed = GetDlgItemText(IDC_SYNCCOPY_DEST);
    while (!typed.empty() && typed.back() == L' ') typed.pop_back();
    const std::wstring destination = typed.empty() ? std::wstring() : ResolvePath(m_input.source.directory, typed);
    if (destination.empty() || !DirectoryExists(JoinPath(destination, L""))) {
        ui::ZqMessageBox(m_hWnd, L"入力したディレクトリ名が不正です");
        return;
    }
    // The directions were proposed for the directory the list was compared
    // with; another one is compared first, and shown before anything is copied.
    if (!SamePath(destination, m_compared)) {
        BuildList(destination);
        return;
    }
    if (m_input.sourceArchive) {
        RunWithArchive(*m_input.sourceArchive, true, m_compared);
        return;
    }
    for (int id : kRunControls) EnableItem(id, false);
    EnableItem(IDC_SYNCCOPY_ABORT, true);
    ::SetFocus(GetDlgItem(IDC_SYNCCOPY_ABORT));
    m_worker = std::make_unique<CSyncCopyDlgThread>(m_hWnd, m_lines, m_input.source.directory, m_compared,
                                                    m_input.removableFast, m_progress);
    m_worker->SetOwner(m_hWnd);
    if (!m_worker->CreateThread()) {
        m_worker.reset();
        ui::ZqMessageBox(m_hWnd, L"Threadを作成するに失敗しました");
        EndDialog(IDCANCEL);
        return;
    }
    SetTimer(kProgressTimer, 100);
}

void CSynccopyDlg::OnCancel() {
    // Escape or the close box while the worker runs is the abort button.
    if (m_worker) {
        m_worker->RequestCancel();
        EnableItem(IDC_SYNCCOPY_ABORT, false);
        return;
    }
    EndDialog(IDCANCEL);
}

bool CSynccopyDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id == ui::CWinThread::kCommandSucceeded || id == ui::CWinThread::kCommandFailed) {
        KillTimer(kProgressTimer);
        StopWorker();
        ShowProgress();
        m_ran = true;
        EndDialog(IDOK);
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_SYNCCOPY_DOWN:
            Redirect(PointToDestination);
            return true;
        case IDC_SYNCCOPY_UP:
            Redirect(PointToSource);
            return true;
        case IDC_SYNCCOPY_NONE:
            Redirect(PointNowhere);
            return true;
        case IDC_SYNCCOPY_ABORT:
            if (m_worker) m_worker->RequestCancel();
            EnableItem(IDC_SYNCCOPY_ABORT, false);
            return true;
        case IDC_SYNCCOPY_BROWSE:
            if (auto folder = ui::ChooseFolder(m_hWnd, L"同期先", GetDlgItemText(IDC_SYNCCOPY_DEST)))
                SetDlgItemText(IDC_SYNCCOPY_DEST, *folder);
            return true;
        default:
            return false;
    }
}

void CSynccopyDlg::ShowProgress() {
    for (const auto& [index, text] : m_progress.TakeLines())
        if (index < m_lines.size()) ShowLine(index, text);
    int bar = -1;
    bool runningNow = false, minimize = false;
    const auto changes = m_progress.TakeChanges(bar, runningNow, minimize);
    const auto percent = changes.find(ProgressField::FilePercent);
    if (percent != changes.end()) SetDlgItemText(IDC_SYNCCOPY_PERCENT, percent->second);
    if (bar >= 0) ::SendDlgItemMessageW(m_hWnd, IDC_SYNCCOPY_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(bar), 0);
}

void CSynccopyDlg::OnTimer(UINT_PTR id) {
    if (id == kProgressTimer) ShowProgress();
}

bool CSynccopyDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != ui::kRunOnWindowThread || lParam == 0) return false;
    const auto* request = reinterpret_cast<const ui::WindowThreadRequest*>(lParam);
    (*request->fn)();
    ::SetEvent(request->done);
    result = 1;
    return true;
}

}  // namespace zq::fileops
