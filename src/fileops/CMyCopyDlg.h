#pragma once
// The modeless copy and move dialog: destination, options, progress; its
// worker is a CCopyDlgThread.  The view creates it, fills it, shows it, and
// frees it once Finished() after the dialog has posted 1185.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fileops/CCopyDlgThread.h"
#include "fileops/CopyDialogSettings.h"
#include "fileops/CopyProgressState.h"
#include "ui/COperationDlg.h"
#include "ui/CInputComplement.h"

namespace zq::fileops {

class CMyCopyDlg : public ui::COperationDlg {
  public:
    CMyCopyDlg(HWND view, unsigned mode, unsigned paneIndex, CopyDialogSettings& settings);
    // The worker writes into m_progress: it is stopped first.
    ~CMyCopyDlg() override { StopWorker(); }

    void SetSource(SelectionSnapshot source) { m_source = std::move(source); }
    void SetOther(SelectionSnapshot other) { m_other = std::move(other); }
    void SetDropped(std::vector<std::wstring> dropped) { m_dropped = std::move(dropped); }
    void SetDestination(std::wstring destination) { m_destination = std::move(destination); }
    // The destination list in the order the view chose ("コピー先リスト設定").
    void SetDestinationChoices(std::vector<std::wstring> choices) { m_choices = std::move(choices); }
    void SetPatterns(std::vector<std::wstring> include, std::vector<std::wstring> exclude) {
        m_include = std::move(include);
        m_exclude = std::move(exclude);
    }
    // The pane's marking routine (modes 1 to 3) and the destination history.
    std::function<void()> onMarkSource;
    std::function<void(const std::wstring&)> onDestinationUsed;

    [[nodiscard]] unsigned Mode() const noexcept { return m_mode; }
    [[nodiscard]] unsigned PaneIndex() const noexcept { return m_paneIndex; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    void OnFinishing() override;
    void OnWorkerJoined(ui::CJobThread& worker) override;

  private:
    void ShowProgress();
    bool ResolveDestination(std::wstring& full) const;

    unsigned m_mode;
    unsigned m_paneIndex;
    CopyDialogSettings& m_settings;
    SelectionSnapshot m_source;
    SelectionSnapshot m_other;
    std::vector<std::wstring> m_dropped;
    std::wstring m_destination;
    std::vector<std::wstring> m_choices;
    std::vector<std::wstring> m_include;
    std::vector<std::wstring> m_exclude;
    CopyProgressState m_progress;
    ui::CInputComplement m_complement;
};

}  // namespace zq::fileops
