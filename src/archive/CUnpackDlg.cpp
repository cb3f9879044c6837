#include "archive/CUnpackDlg.h"

#include <commctrl.h>

#include <cwchar>

#include "archive/ArchiverApi.h"
#include "common/TextConv.h"
#include "external/GuardedLibrary.h"
#include "filer/VirtualDriveSource.h"
#include "resource.h"
#include "ui/CJobThread.h"
#include "ui/CMessageBoxDlg.h"
#include "ui/CommonDialogs.h"

namespace zq {

namespace {

// Questions are boxes of the dialog's own thread, the worker waiting for the answer.
class DialogQuestions final : public IUnpackQuestions {
  public:
    explicit DialogQuestions(HWND dialog) : m_dialog(dialog) {}
    bool OkCancel(const std::wstring& text, const std::wstring& caption) override {
        int answer = IDCANCEL;
        const std::function<void()> ask = [&] {
            answer = caption.empty() ? ui::ZqMessageBox(m_dialog, text, MB_OKCANCEL)
                                     : ui::ZqMessageBox(m_dialog, text, caption, MB_OKCANCEL);
        };
        if (!ui::RunOnWindowThread(m_dialog, ask)) return false;
        return answer == IDOK;
    }
    void Inform(const std::wstring& text) override {
        (void)ui::RunOnWindowThread(m_dialog, [&] { ui::ZqMessageBox(m_dialog, text); });
    }

  private:
    HWND m_dialog;
};

class CUnpackThread final : public ui::CJobThread {
  public:
    CUnpackThread(HWND dialog, CUnpackDlg::Setup setup, UnpackRequest request)
        : m_questions(dialog),
          m_job(std::move(setup.table), std::move(setup.libraryPath), std::move(request), std::move(setup.items),
                m_questions) {
        if (!setup.members.empty())
            m_job.SetMembers(std::move(setup.membersOf), std::move(setup.members), setup.membersByPlugin);
        m_job.SetPlugins(setup.plugins);
        m_job.SetOwnerWindow(dialog);
        if (setup.placeStaged)
            m_job.SetStagedPlacement([place = std::move(setup.placeStaged), dialog](const std::wstring& staging,
                                                                                    const std::wstring& destination,
                                                                                    const std::wstring& archive) {
                return place(staging, destination, archive, dialog);
            });
        m_job.onBytes = [dialog](std::uint64_t done, std::uint64_t total) {
            wchar_t size[64];
            std::swprintf(size, std::size(size), L"%llu/%llu", static_cast<unsigned long long>(done),
                          static_cast<unsigned long long>(total));
            ::SetDlgItemTextW(dialog, IDC_UNPACK_SIZE, size);
            ::SendDlgItemMessageW(dialog, IDC_UNPACK_PROGRESS, PBM_SETPOS,
                                  total ? static_cast<WPARAM>(done * 1000 / total) : 0, 0);
        };
        m_job.onArchive = [dialog](const std::wstring& text) {
            // Sent: the text must outlive the call, and the dialog pumps while it waits.
            ::SetDlgItemTextW(dialog, IDC_UNPACK_FILE, text.c_str());
        };
    }

    // Called on the dialog's thread while the worker waits in the library.
    void NoteProgress(const std::wstring& target, std::uint64_t done) { m_job.NoteProgress(target, done); }

  protected:
    bool Work() override { return m_job.Run(); }
    void OnCancelRequested() noexcept override { m_job.RequestCancel(); }
    void TellOwnerTheEnd(bool completed) override {
        (void)::PostMessageW(Owner(), CUnpackDlg::EndMessage(), completed ? 1 : 0, 0);
    }

  private:
    DialogQuestions m_questions;
    UnpackJob m_job;
};

constexpr UINT_PTR kWaitTimer = 1;
constexpr wchar_t kBusyMutexName[] = L"hUnpackDialogMutex";
bool g_busy = false;

// The busy flag is tested and set under the named mutex, made by the first
// dialog that needs it and opened by the later ones.
bool ChangeBusy(bool take) {
    UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, kBusyMutexName));
    if (mutex) ::WaitForSingleObject(mutex.Get(), INFINITE);
    bool done = true;
    if (take) {
        done = !g_busy;
        g_busy = true;
    } else {
        g_busy = false;
    }
    if (mutex) ::ReleaseMutex(mutex.Get());
    return done;
}

bool IsInvalidDirectoryName(const std::wstring& path) {
    if (path.empty() || path.find_first_of(L"*?\"<>|") != std::wstring::npos) return true;
    // A colon belongs only after a drive letter.
    const size_t colon = path.find(L':');
    return colon != std::wstring::npos && colon != 1;
}

}  // namespace

bool CUnpackDlg::Busy() {
    return g_busy;
}

UINT CUnpackDlg::StartMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"WMSG_ZQ_UNPACK_START");
    return message;
}

UINT CUnpackDlg::EndMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"WMSG_ZQ_UNPACK_END");
    return message;
}

bool CUnpackDlg::TakeStartedDestination(std::wstring& destination) {
    if (!m_startUntold) return false;
    m_startUntold = false;
    destination = m_request.destination;
    return true;
}

CUnpackDlg::CUnpackDlg(HWND view, Setup setup) : COperationDlg(IDD_UNPACK, view), m_setup(std::move(setup)) {}

CUnpackDlg::~CUnpackDlg() {
    StopWorker();
    if (m_holdsBusy) (void)ChangeBusy(false);
}

bool CUnpackDlg::OnInitDialog() {
    m_extractMessage = ::RegisterWindowMessageA(arc::kExtractMessageName);
    const HWND combo = GetDlgItem(IDC_UNPACK_DEST);
    for (const std::wstring& entry : m_setup.history)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SetDlgItemText(IDC_UNPACK_DEST, m_setup.request.destination);
    ::CheckDlgButton(m_hWnd, IDC_UNPACK_MAKEDIR, m_setup.request.folderPerArchive ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_UNPACK_NODIR, m_setup.request.ignoreFolders ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_UNPACK_CHECKPATH, m_setup.request.checkPathLength ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

bool CUnpackDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_UNPACK_BROWSE && code == BN_CLICKED) {
        if (const auto folder = ui::ChooseFolder(m_hWnd, L"解凍先", GetDlgItemText(IDC_UNPACK_DEST)))
            SetDlgItemText(IDC_UNPACK_DEST, *folder);
        return true;
    }
    return COperationDlg::OnCommand(id, code, control);
}

void CUnpackDlg::ShowProgressControls() {
    for (int id : {IDC_UNPACK_DEST_LABEL, IDC_UNPACK_DEST, IDC_UNPACK_BROWSE, IDC_UNPACK_MAKEDIR, IDC_UNPACK_NODIR,
                   IDC_UNPACK_CHECKPATH, IDC_UNPACK_PASSWORD_LABEL, IDC_UNPACK_PASSWORD, static_cast<int>(IDOK)})
        ::ShowWindow(GetDlgItem(id), SW_HIDE);
    for (int id : {IDC_UNPACK_FILE, IDC_UNPACK_PROGRESS, IDC_UNPACK_SIZE}) ::ShowWindow(GetDlgItem(id), SW_SHOW);
    ::SendDlgItemMessageW(m_hWnd, IDC_UNPACK_PROGRESS, PBM_SETRANGE32, 0, 1000);
}

void CUnpackDlg::OnOK() {
    if (Worker() != nullptr) return;
    UnpackRequest request;
    request.destination = GetDlgItemText(IDC_UNPACK_DEST);
    if (IsInvalidDirectoryName(request.destination)) {
        ui::ZqMessageBox(m_hWnd, L"入力したディレクトリ名が不正です");
        return;
    }
    // A virtual drive is a list of paths: nothing can be written into it.
    if (ProcessVirtualDrives().ForPath(request.destination) != nullptr) {
        ui::ZqMessageBox(m_hWnd, L"解凍ディレクトリが仮想ディレクトリです");
        return;
    }
    request.folderPerArchive = ::IsDlgButtonChecked(m_hWnd, IDC_UNPACK_MAKEDIR) == BST_CHECKED;
    request.ignoreFolders = ::IsDlgButtonChecked(m_hWnd, IDC_UNPACK_NODIR) == BST_CHECKED;
    request.checkPathLength = ::IsDlgButtonChecked(m_hWnd, IDC_UNPACK_CHECKPATH) == BST_CHECKED;
    request.password = GetDlgItemText(IDC_UNPACK_PASSWORD);
    if (onStarted) onStarted(request);
    m_request = request;
    m_startUntold = true;
    if (View() != nullptr) (void)::PostMessageW(View(), StartMessage(), 0, 0);
    ShowProgressControls();
    SetDlgItemText(IDCANCEL, L"中止");
    ::SetFocus(GetDlgItem(IDCANCEL));
    StartWhenFree();
}

void CUnpackDlg::StartWhenFree() {
    if (!ChangeBusy(true)) {
        if (!m_waiting) SetTimer(kWaitTimer, 100);
        m_waiting = true;
        return;
    }
    if (m_waiting) ::KillTimer(m_hWnd, kWaitTimer);
    m_waiting = false;
    m_holdsBusy = true;
    if (!StartWorker(std::make_unique<CUnpackThread>(m_hWnd, m_setup, m_request)) && m_holdsBusy) {
        (void)ChangeBusy(false);
        m_holdsBusy = false;
    }
}

void CUnpackDlg::OnTimer(UINT_PTR id) {
    if (id == kWaitTimer && m_waiting) StartWhenFree();
}

void CUnpackDlg::OnWorkerJoined(ui::CJobThread&) {
    if (m_holdsBusy) (void)ChangeBusy(false);
    m_holdsBusy = false;
}

void CUnpackDlg::OnCancel() {
    if (m_waiting) ::KillTimer(m_hWnd, kWaitTimer);
    m_waiting = false;
    if (WorkerRunning()) {
        CancelWorker();
        return;
    }
    Finish();
}

bool CUnpackDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != 0 && message == EndMessage()) {
        OnWorkerEnded(wParam != 0);
        Finish();
        result = 0;
        return true;
    }
    if (m_extractMessage != 0 && message == m_extractMessage) {
        // The library waits for this answer: non-zero stops it.
        result = Worker() && Worker()->CancelRequested() ? 1 : 0;
        const auto* info = reinterpret_cast<const arc::EXTRACTINGINFOEX*>(lParam);
        if (info && wParam == arc::kExtractInProcess) {
            const std::wstring source = FromAnsi(info->exinfo.szSourceFileName, sizeof info->exinfo.szSourceFileName);
            const std::wstring target = FromAnsi(info->exinfo.szDestFileName, sizeof info->exinfo.szDestFileName);
            // Every worker of this dialog is an unpack thread.
            if (Worker()) static_cast<CUnpackThread*>(Worker())->NoteProgress(target, info->exinfo.dwWriteSize);
            SetDlgItemText(IDC_UNPACK_FILE, source + L"/" + target);
            wchar_t size[64];
            std::swprintf(size, std::size(size), L"%lld/%lld", static_cast<long long>(info->exinfo.dwWriteSize),
                          static_cast<long long>(info->exinfo.dwFileSize));
            SetDlgItemText(IDC_UNPACK_SIZE, size);
            const DWORD total = info->exinfo.dwFileSize;
            const WPARAM permille = total ? static_cast<WPARAM>(1000ULL * info->exinfo.dwWriteSize / total) : 0;
            ::SendDlgItemMessageW(m_hWnd, IDC_UNPACK_PROGRESS, PBM_SETPOS, permille, 0);
        }
        return true;
    }
    return COperationDlg::OnMessage(message, wParam, lParam, result);
}

void CUnpackDlg::OnWorkerEnded(bool) {
    if (onEnded) onEnded();
}

}  // namespace zq
