#pragma once
// The loading dialog of the Graphic mode: it names the plug-in and the file,
// shows the percentage the plug-in reports, and decodes on a worker so that
// the window stays alive and the load can be cancelled.
//
//     CLoadPictureBDlg dlg(owner, host, path, pluginName);
//     if (dlg.DoModal() == IDOK) picture = dlg.TakePicture();  // else dlg.Result(), dlg.Cancelled()
//
// A picture that is not a file of its own (an archive member) comes with the
// text to show and the work that extracts and decodes it; a member of a
// plug-in's archive shows first the text of its extraction, and the job's
// call of `extracted` switches to the text of its decoding.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "picture/SusiePluginHost.h"
#include "ui/CDialog.h"
#include "ui/CJobThread.h"

namespace zq {

using DecodeJob =
    std::function<int(SusiePicture& picture, SusieProgress progress, const std::function<void()>& extracted)>;

class CDecodeThread final : public ui::CJobThread {
  public:
    explicit CDecodeThread(DecodeJob job) : m_job(std::move(job)) {}
    [[nodiscard]] int Result() const noexcept { return m_result; }
    [[nodiscard]] int Percent() const noexcept { return m_percent.load(); }
    [[nodiscard]] bool Extracted() const noexcept { return m_extracted.load(); }
    // GetTickCount64 of the last sign of life: the start, or the plug-in's last progress call.
    [[nodiscard]] unsigned long long LastSign() const noexcept { return m_lastSign.load(); }
    SusiePicture& Picture() noexcept { return m_picture; }

  protected:
    bool Work() override;

  private:
    static int ZQ_SUSIE_CALL Progress(int done, int total, LONG_PTR data);
    DecodeJob m_job;
    SusiePicture m_picture;
    int m_result = susie::kNoMemory;
    std::atomic<int> m_percent{0};
    std::atomic<bool> m_extracted{false};
    std::atomic<unsigned long long> m_lastSign{::GetTickCount64()};
};

class CLoadPictureBDlg final : public ui::CDialog {
  public:
    CLoadPictureBDlg(HWND parent, SusiePluginHost& host, std::wstring path, std::wstring pluginName);
    CLoadPictureBDlg(HWND parent, std::wstring text, DecodeJob job, std::wstring extractingText = {});
    ~CLoadPictureBDlg() override;

    [[nodiscard]] SusiePicture TakePicture() { return std::move(m_thread->Picture()); }
    [[nodiscard]] int Result() const noexcept {
        return m_abandoned ? susie::kInternalError : m_thread ? m_thread->Result() : susie::kNoMemory;
    }
    [[nodiscard]] bool Cancelled() const noexcept { return m_cancelled; }

    // A plug-in that never returns: when the worker has not ended `grace` ms
    // after a cancel, or has given no sign of life for `silence` ms, the
    // dialog has the host disable plug-ins in a call that long
    // (DisableUnanswering); when one was, it ends with IDABORT, leaving the
    // worker to the plug-in unless its call could be ended.
    void WatchForHangs(SusiePluginHost& host, unsigned long long grace = 3000, unsigned long long silence = 30000);

    // "PlugIn:  %s\n\n%sを読み込み中"
    [[nodiscard]] static std::wstring LoadingText(const std::wstring& plugin, const std::wstring& file);
    // "PlugIn:%s  \n\n%sの\n%sを読み込み中\n(%05ld/%05ld)" for a member of an
    // archive, with "を解凍中" instead while it is extracted.
    [[nodiscard]] static std::wstring MemberLoadingText(const std::wstring& plugin, const std::wstring& archive,
                                                        const std::wstring& member, long number, long count,
                                                        bool extracting = false);

  protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;

  private:
    void ShowPercent();
    void WatchWorker();
    std::wstring m_text;
    std::wstring m_extractingText;
    bool m_showsExtracting = false;
    DecodeJob m_job;
    std::unique_ptr<CDecodeThread> m_thread;
    bool m_cancelled = false;
    bool m_abandoned = false;
    SusiePluginHost* m_watched = nullptr;
    unsigned long long m_grace = 0;
    unsigned long long m_silence = 0;
    unsigned long long m_cancelledAt = 0;
};

}  // namespace zq
