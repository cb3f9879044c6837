#pragma once
// The modeless unpack dialog ("ファイルの解凍"): destination and options,
// then, while its worker runs, the archive in progress, a progress bar and
// the size line that the library's "wm_arcextract" messages update.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/UnpackJob.h"
#include "ui/COperationDlg.h"

namespace zq {

class CUnpackDlg : public ui::COperationDlg {
  public:
    // Whether some dialog of this process is extracting now.
    [[nodiscard]] static bool Busy();
    // Registered, so that every copy of the program agrees on them: the view
    // hears "WMSG_ZQ_UNPACK_START" when a dialog has started, and the worker
    // posts "WMSG_ZQ_UNPACK_END" to its dialog when the extraction is over.
    [[nodiscard]] static UINT StartMessage();
    [[nodiscard]] static UINT EndMessage();

    // Moves what a job wrote into `staging` to `destination`, asking about
    // names already there on `owner`'s thread; false: the user ended it.
    using PlaceStaged = std::function<bool(const std::wstring& staging, const std::wstring& destination,
                                           const std::wstring& archive, HWND owner)>;

    struct Setup {
        std::vector<StructArchiverRow> table;
        std::wstring libraryPath;
        std::vector<UnpackJob::Item> items;
        UnpackRequest request;  // the options as the settings last left them
        std::vector<std::wstring> history;
        // Members of one archive (full paths as the library reports them) instead of `items`.
        std::wstring membersOf;
        std::vector<std::wstring> members;
        bool membersByPlugin = false;  // the browsing pane's archive came from an archive plug-in
        IArchivePlugins* plugins = nullptr;
        PlaceStaged placeStaged;
    };
    CUnpackDlg(HWND view, Setup setup);
    ~CUnpackDlg() override;

    // The options chosen when OK started the job, for the settings and the history.
    std::function<void(const UnpackRequest&)> onStarted;
    // The job ended: the panes are read again.
    std::function<void()> onEnded;

    // The destination of a job started since the view last asked; once per job.
    [[nodiscard]] bool TakeStartedDestination(std::wstring& destination);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnWorkerEnded(bool completed) override;
    void OnTimer(UINT_PTR id) override;
    void OnWorkerJoined(ui::CJobThread& worker) override;

  private:
    void ShowProgressControls();
    // Starts the job when no other dialog extracts; else tries again every 100 ms.
    void StartWhenFree();

    Setup m_setup;
    UINT m_extractMessage = 0;
    UnpackRequest m_request;
    bool m_waiting = false;
    bool m_holdsBusy = false;
    bool m_startUntold = false;
};

}  // namespace zq
