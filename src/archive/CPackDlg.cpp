#include "archive/CPackDlg.h"

#include "archive/ArchiverApi.h"
#include "common/Paths.h"
#include "external/GuardedLibrary.h"
#include "resource.h"
#include "ui/CJobThread.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

class CPackThread final : public ui::CJobThread {
  public:
    CPackThread(HWND dialog, std::vector<StructPackRequest> requests)
        : m_dialog(dialog), m_requests(std::move(requests)) {}

  protected:
    bool Work() override {
        for (const StructPackRequest& request : m_requests) {
            if (CancelRequested()) return false;
            const int result = RunPack(request, m_dialog);
            if (result == 0) continue;
            // Told from here, while the dialog still stands: its box is the one
            // the user answers, and the pane is read again only after.
            const std::wstring text = PackFailureText(request, result);
            (void)ui::RunOnWindowThread(m_dialog, [&] { ui::ZqMessageBox(m_dialog, text); });
            return false;
        }
        return true;
    }

  private:
    HWND m_dialog;
    std::vector<StructPackRequest> m_requests;
};

}  // namespace

CPackDlg::CPackDlg(HWND view, std::wstring caption, StructPackRequest request, std::wstring targetDirectory,
                   bool eachEntry)
    : COperationDlg(IDD_PACK, view),
      m_caption(std::move(caption)),
      m_request(std::move(request)),
      m_targetDirectory(std::move(targetDirectory)),
      m_eachEntry(eachEntry) {}

CPackDlg::~CPackDlg() {
    StopWorker();
}

bool CPackDlg::OnInitDialog() {
    m_extractMessage = ::RegisterWindowMessageA(arc::kExtractMessageName);
    ::SetWindowTextW(m_hWnd, m_caption.c_str());
    const HWND edit = GetDlgItem(IDC_PACK_NAME);
    ::SetFocus(edit);
    if (m_eachEntry) {
        SetDlgItemText(IDC_PACK_NAME_LABEL, L"作成先");
        SetDlgItemText(IDC_PACK_NAME, m_targetDirectory);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return false;
    }
    SetDlgItemText(IDC_PACK_NAME, m_request.archive);
    // The stem is what one changes: it is selected, the folder and extension are not.
    const std::wstring_view name = FileNamePart(m_request.archive);
    const size_t start = m_request.archive.size() - name.size();
    const size_t dot = name.find_last_of(L'.');
    const size_t end = start + (dot == std::wstring_view::npos || dot == 0 ? name.size() : dot);
    ::SendMessageW(edit, EM_SETSEL, start, end);
    return false;
}

std::vector<StructPackRequest> CPackDlg::CheckedRequests() {
    const std::wstring typed = GetDlgItemText(IDC_PACK_NAME);
    std::vector<StructPackRequest> requests;
    if (m_eachEntry) {
        const std::wstring folder = ResolvePath(m_targetDirectory, typed);
        if (folder.empty() || !DirectoryExists(folder)) {
            ui::ZqMessageBox(m_hWnd, L"圧縮ファイルを作るディレクトリがありません\n" + typed);
            return {};
        }
        requests = EachPackRequests(m_request, folder);
    } else {
        const std::wstring archive = PackArchivePath(m_request.kind, typed, m_targetDirectory);
        if (archive.empty()) {
            ui::ZqMessageBox(m_hWnd, L"入力したファイル名が不正です");
            return {};
        }
        requests.push_back(m_request);
        requests.back().archive = archive;
    }
    std::wstring existing;
    for (const StructPackRequest& request : requests) {
        if (PacksItself(request)) {
            ui::ZqMessageBox(m_hWnd, L"圧縮するファイルやディレクトリの中には、その圧縮ファイルを作れません");
            return {};
        }
        if (DirectoryExists(request.archive)) {
            ui::ZqMessageBox(m_hWnd, L"同じ名前のディレクトリがあります\n" + request.archive);
            return {};
        }
        if (!DirectoryExists(ParentPath(request.archive))) {
            ui::ZqMessageBox(m_hWnd, L"圧縮ファイルを作るディレクトリがありません\n" + ParentPath(request.archive));
            return {};
        }
        if (FileExists(request.archive) && !request.replaceExisting)
            existing += (existing.empty() ? L"" : L"\n") + request.archive;
    }
    if (!existing.empty()) {
        const std::wstring question =
            requests.size() == 1 ? L"このファイルに追加しますか?" : L"これらのファイルに追加しますか?";
        if (ui::ZqMessageBox(m_hWnd, existing + L"\nは既にあります。" + question, MB_OKCANCEL) != IDOK) return {};
    }
    return requests;
}

void CPackDlg::OnOK() {
    if (Worker() != nullptr) return;
    std::vector<StructPackRequest> requests = CheckedRequests();
    if (requests.empty()) return;
    for (int id : {IDC_PACK_NAME_LABEL, IDC_PACK_NAME, static_cast<int>(IDOK)}) ::ShowWindow(GetDlgItem(id), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_PACK_FILE), SW_SHOW);
    SetDlgItemText(IDC_PACK_FILE, requests.front().archive);
    SetDlgItemText(IDCANCEL, L"中止");
    ::SetFocus(GetDlgItem(IDCANCEL));
    (void)StartWorker(std::make_unique<CPackThread>(m_hWnd, std::move(requests)));
}

void CPackDlg::OnCancel() {
    if (WorkerRunning()) {
        CancelWorker();
        return;
    }
    Finish();
}

bool CPackDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_extractMessage != 0 && message == m_extractMessage) {
        // The library waits for this answer: non-zero stops it.
        result = Worker() && Worker()->CancelRequested() ? 1 : 0;
        const auto* info = reinterpret_cast<const arc::EXTRACTINGINFOEX*>(lParam);
        if (info && wParam == arc::kExtractInProcess)
            SetDlgItemText(IDC_PACK_FILE,
                           FromAnsi(info->exinfo.szSourceFileName, sizeof info->exinfo.szSourceFileName));
        return true;
    }
    return COperationDlg::OnMessage(message, wParam, lParam, result);
}

void CPackDlg::OnWorkerEnded(bool) {
    if (onEnded) onEnded();
}

}  // namespace zq
