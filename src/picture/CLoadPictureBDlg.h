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
};

class CLoadPictureBDlg final : public ui::CDialog {
  public:
    CLoadPictureBDlg(HWND parent, SusiePluginHost& host, std::wstring path, std::wstring pluginName);
    CLoadPictureBDlg(HWND parent, std::wstring text, DecodeJob job, std::wstring extractingText = {});
    ~CLoadPictureBDlg() override;

    [[nodiscard]] SusiePicture TakePicture() { return std::move(m_thread->Picture()); }
    [[nodiscard]] int Result() const noexcept { return m_thread ? m_thread->Result() : susie::kNoMemory; }
    [[nodiscard]] bool Cancelled() const noexcept { return m_cancelled; }

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
    std::wstring m_text;
    std::wstring m_extractingText;
    bool m_showsExtracting = false;
    DecodeJob m_job;
    std::unique_ptr<CDecodeThread> m_thread;
    bool m_cancelled = false;
};

}  // namespace zq
