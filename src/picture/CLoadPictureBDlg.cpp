#include "picture/CLoadPictureBDlg.h"

#include <cwchar>

#include "common/Paths.h"
#include "resource.h"

namespace zq {

namespace {
constexpr UINT_PTR kPercentTimer = 1;
constexpr DWORD kEndedCallLimit = 2000;
}  // namespace

bool CDecodeThread::Work() {
    const std::function<void()> extracted = [this] {
        m_percent.store(0);
        m_extracted.store(true);
    };
    m_result = m_job(m_picture, {&CDecodeThread::Progress, reinterpret_cast<LONG_PTR>(this)}, extracted);
    return m_result == susie::kOk;
}

// A non-zero answer asks the plug-in to stop.
int ZQ_SUSIE_CALL CDecodeThread::Progress(int done, int total, LONG_PTR data) {
    auto* self = reinterpret_cast<CDecodeThread*>(data);
    self->m_lastSign = ::GetTickCount64();
    if (total > 0 && done >= 0) self->m_percent.store(static_cast<int>(static_cast<long long>(done) * 100 / total));
    return self->CancelRequested() ? 1 : 0;
}

CLoadPictureBDlg::CLoadPictureBDlg(HWND parent, SusiePluginHost& host, std::wstring path, std::wstring pluginName)
    : CLoadPictureBDlg(parent, LoadingText(pluginName, std::wstring(FileNamePart(path))),
                       [&host, path](SusiePicture& picture, SusieProgress progress, const std::function<void()>&) {
                           return host.DecodeFile(path, picture, progress);
                       }) {
    WatchForHangs(host);
}

void CLoadPictureBDlg::WatchForHangs(SusiePluginHost& host, unsigned long long grace, unsigned long long silence) {
    m_watched = &host;
    m_grace = grace;
    m_silence = silence;
}

CLoadPictureBDlg::CLoadPictureBDlg(HWND parent, std::wstring text, DecodeJob job, std::wstring extractingText)
    : ui::CDialog(IDD_LOAD_PICTURE, parent),
      m_text(std::move(text)),
      m_extractingText(std::move(extractingText)),
      m_job(std::move(job)) {}

CLoadPictureBDlg::~CLoadPictureBDlg() {
    if (m_thread) {
        m_thread->RequestCancel();
        ui::JoinPumping(m_thread->Handle());
    }
}

std::wstring CLoadPictureBDlg::LoadingText(const std::wstring& plugin, const std::wstring& file) {
    return L"PlugIn:  " + plugin + L"\n\n" + file + L"を読み込み中";
}

std::wstring CLoadPictureBDlg::MemberLoadingText(const std::wstring& plugin, const std::wstring& archive,
                                                 const std::wstring& member, long number, long count, bool extracting) {
    wchar_t counter[32];
    std::swprintf(counter, std::size(counter), L"(%05ld/%05ld)", number, count);
    return L"PlugIn:" + plugin + L"  \n\n" + archive + L"の\n" + member +
           (extracting ? L"を解凍中\n" : L"を読み込み中\n") + counter;
}

bool CLoadPictureBDlg::OnInitDialog() {
    m_showsExtracting = !m_extractingText.empty();
    SetDlgItemText(IDC_LOAD_PICTURE_TEXT, m_showsExtracting ? m_extractingText : m_text);
    m_thread = std::make_unique<CDecodeThread>(m_job);
    m_thread->SetOwner(m_hWnd);
    if (!m_thread->CreateThread()) {
        EndDialog(IDABORT);
        return true;
    }
    SetTimer(kPercentTimer, 100);
    return true;
}

void CLoadPictureBDlg::ShowPercent() {
    if (m_thread && m_showsExtracting && m_thread->Extracted()) {
        m_showsExtracting = false;
        SetDlgItemText(IDC_LOAD_PICTURE_TEXT, m_text);
    }
    if (m_thread) SetDlgItemText(IDC_LOAD_PICTURE_PERCENT, std::to_wstring(m_thread->Percent()) + L"%");
}

void CLoadPictureBDlg::OnTimer(UINT_PTR id) {
    if (id != kPercentTimer) return;
    ShowPercent();
    WatchWorker();
}

void CLoadPictureBDlg::WatchWorker() {
    if (m_watched == nullptr || !m_thread || m_abandoned) return;
    const unsigned long long now = ::GetTickCount64();
    unsigned long long limit = 0;
    if (m_cancelled && now - m_cancelledAt >= m_grace)
        limit = m_grace;
    else if (now - m_thread->LastSign() >= m_silence)
        limit = m_silence;
    if (limit == 0) return;
    // The report of a disabled plug-in is a message box: its modal loop must
    // not bring this timer back in here.
    KillTimer(kPercentTimer);
    if (!m_watched->DisableUnanswering(limit)) {
        SetTimer(kPercentTimer, 100);
        return;
    }
    m_abandoned = true;
    // A call that could be ended (a 32-bit plug-in's) returns at once.
    if (m_thread->Join(kEndedCallLimit)) {
        EndDialog(IDABORT);
        return;
    }
    // The plug-in keeps the thread, and with it the thread's record, for as
    // long as it runs; should it ever return, its end goes to no window.
    m_thread->SetOwner(nullptr);
    static_cast<void>(m_thread.release());
    EndDialog(IDABORT);
}

// The worker's end arrives as 3001 or 3000 in every case, a cancel included.
void CLoadPictureBDlg::OnCancel() {
    m_cancelled = true;
    m_cancelledAt = ::GetTickCount64();
    if (m_thread) m_thread->RequestCancel();
    EnableItem(IDCANCEL, false);
}

bool CLoadPictureBDlg::OnCommand(WORD id, WORD code, HWND control) {
    (void)code, (void)control;
    if (id != ui::CWinThread::kCommandSucceeded && id != ui::CWinThread::kCommandFailed) return false;
    KillTimer(kPercentTimer);
    m_thread->Join();
    if (m_cancelled)
        EndDialog(IDCANCEL);
    else
        EndDialog(id == ui::CWinThread::kCommandSucceeded ? IDOK : IDABORT);
    return true;
}

}  // namespace zq
