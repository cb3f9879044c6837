#pragma once
// The loading dialog of the Graphic mode: it names the plug-in and the file,
// shows the percentage the plug-in reports, and decodes on a worker so that
// the window stays alive and the load can be cancelled.
//
//     CLoadPictureBDlg dlg(owner, host, path, pluginName);
//     if (dlg.DoModal() == IDOK) picture = dlg.TakePicture();  // else dlg.Result(), dlg.Cancelled()
#include <atomic>
#include <memory>
#include <string>

#include "picture/SusiePluginHost.h"
#include "ui/CDialog.h"
#include "ui/CJobThread.h"

namespace zq {

class CDecodeThread final : public ui::CJobThread {
  public:
    CDecodeThread(SusiePluginHost& host, std::wstring path) : m_host(host), m_path(std::move(path)) {}
    [[nodiscard]] int Result() const noexcept { return m_result; }
    [[nodiscard]] int Percent() const noexcept { return m_percent.load(); }
    SusiePicture& Picture() noexcept { return m_picture; }

  protected:
    bool Work() override;

  private:
    static int ZQ_SUSIE_CALL Progress(int done, int total, LONG_PTR data);
    SusiePluginHost& m_host;
    std::wstring m_path;
    SusiePicture m_picture;
    int m_result = susie::kNoMemory;
    std::atomic<int> m_percent{0};
};

class CLoadPictureBDlg final : public ui::CDialog {
  public:
    CLoadPictureBDlg(HWND parent, SusiePluginHost& host, std::wstring path, std::wstring pluginName);
    ~CLoadPictureBDlg() override;

    [[nodiscard]] SusiePicture TakePicture() { return std::move(m_thread->Picture()); }
    [[nodiscard]] int Result() const noexcept { return m_thread ? m_thread->Result() : susie::kNoMemory; }
    [[nodiscard]] bool Cancelled() const noexcept { return m_cancelled; }

    // "PlugIn:  %s\n\n%sを読み込み中"
    [[nodiscard]] static std::wstring LoadingText(const std::wstring& plugin, const std::wstring& file);

  protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;

  private:
    void ShowPercent();
    SusiePluginHost& m_host;
    std::wstring m_path;
    std::wstring m_pluginName;
    std::unique_ptr<CDecodeThread> m_thread;
    bool m_cancelled = false;
};

}  // namespace zq
