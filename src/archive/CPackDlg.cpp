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
    CPackThread(HWND dialog, StructPackRequest request) : m_dialog(dialog), m_request(std::move(request)) {}

  protected:
    bool Work() override {
        const int result = RunPack(m_request, m_dialog);
        if (result == 0) return true;
        // Told from here, while the dialog still stands: its box is the one
        // the user answers, and the pane is read again only after.
        const std::wstring text = PackFailureText(m_request, result);
        (void)ui::RunOnWindowThread(m_dialog, [&] { ui::ZqMessageBox(m_dialog, text); });
        return false;
    }

  private:
    HWND m_dialog;
    StructPackRequest m_request;
};

}  // namespace

CPackDlg::CPackDlg(HWND view, std::wstring caption, StructPackRequest request, std::wstring targetDirectory)
    : COperationDlg(IDD_PACK, view),
      m_caption(std::move(caption)),
      m_request(std::move(request)),
      m_targetDirectory(std::move(targetDirectory)) {}

CPackDlg::~CPackDlg() {
    StopWorker();
}

bool CPackDlg::OnInitDialog() {
    m_extractMessage = ::RegisterWindowMessageA(arc::kExtractMessageName);
    ::SetWindowTextW(m_hWnd, m_caption.c_str());
    SetDlgItemText(IDC_PACK_NAME, m_request.archive);
    // The stem is what one changes: it is selected, the folder and extension are not.
    const std::wstring_view name = FileNamePart(m_request.archive);
    const size_t start = m_request.archive.size() - name.size();
    const size_t dot = name.find_last_of(L'.');
    const size_t end = start + (dot == std::wstring_view::npos || dot == 0 ? name.size() : dot);
    const HWND edit = GetDlgItem(IDC_PACK_NAME);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, start, end);
    return false;
}

void CPackDlg::OnOK() {
    if (Worker() != nullptr) return;
    const std::wstring archive = PackArchivePath(m_request.kind, GetDlgItemText(IDC_PACK_NAME), m_targetDirectory);
    if (archive.empty()) {
        ui::ZqMessageBox(m_hWnd, L"入力したファイル名が不正です");
        return;
    }
    StructPackRequest request = m_request;
    request.archive = archive;
    if (PacksItself(request)) {
        ui::ZqMessageBox(m_hWnd, L"圧縮するファイルやディレクトリの中には、その圧縮ファイルを作れません");
        return;
    }
    if (DirectoryExists(archive)) {
        ui::ZqMessageBox(m_hWnd, L"同じ名前のディレクトリがあります\n" + archive);
        return;
    }
    if (!DirectoryExists(ParentPath(archive))) {
        ui::ZqMessageBox(m_hWnd, L"圧縮ファイルを作るディレクトリがありません\n" + ParentPath(archive));
        return;
    }
    if (FileExists(archive) && !request.replaceExisting &&
        ui::ZqMessageBox(m_hWnd, archive + L"\nは既にあります。このファイルに追加しますか?", MB_OKCANCEL) != IDOK)
        return;
    m_request = std::move(request);
    for (int id : {IDC_PACK_NAME_LABEL, IDC_PACK_NAME, static_cast<int>(IDOK)}) ::ShowWindow(GetDlgItem(id), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_PACK_FILE), SW_SHOW);
    SetDlgItemText(IDC_PACK_FILE, m_request.archive);
    SetDlgItemText(IDCANCEL, L"中止");
    ::SetFocus(GetDlgItem(IDCANCEL));
    (void)StartWorker(std::make_unique<CPackThread>(m_hWnd, m_request));
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
