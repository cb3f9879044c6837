#pragma once
// The synchronised-copy dialog ("ファイルの同期"), modal: the list of files
// with the direction each is to go, the buttons that change the directions of
// the selected lines, the destination directory, and the run with its
// progress and abort.  Its worker is a CSyncCopyDlgThread; the dialog ends
// when the worker does.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fileops/CSyncCopyDlgThread.h"
#include "fileops/SelectionSnapshot.h"
#include "fileops/SyncList.h"
#include "fileops/SyncProgress.h"
#include "filer/ArchiveSide.h"
#include "ui/CDialog.h"

namespace zq::fileops {

struct SyncDialogInput {
    SelectionSnapshot source;  // the source pane's marked entries and its directory
    std::wstring destination;  // the other pane's directory
    bool includeMissing = false;
    bool removableFast = true;  // REMOVABLE_COPY_FAST
    // An archive on one side: its file members stand in for the marked
    // entries or for the destination directory's files.
    std::optional<StructArchiveSide> sourceArchive;
    std::optional<StructArchiveSide> destinationArchive;
};

class CSynccopyDlg : public ui::CDialog {
  public:
    CSynccopyDlg(HWND parent, SyncDialogInput input);
    ~CSynccopyDlg() override;

    // Whether a run took place, and the directory it synchronised with.
    [[nodiscard]] bool Ran() const noexcept { return m_ran; }
    [[nodiscard]] const std::wstring& Destination() const noexcept { return m_compared; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void BuildList(const std::wstring& destination);
    // With an archive side the library does the work on this thread, and the dialog ends.
    void RunWithArchive(const StructArchiveSide& archive, bool archiveIsSource, const std::wstring& directory);
    [[nodiscard]] const StructArchiveSide* ArchiveSide() const;
    void ShowLine(size_t index, const std::wstring& name);
    void Redirect(void (*press)(StructSyncData&));
    void ShowProgress();
    void StopWorker();

    SyncDialogInput m_input;
    std::wstring m_compared;  // the destination the list was built against
    std::vector<StructSyncData> m_lines;
    SyncProgress m_progress;
    std::unique_ptr<CSyncCopyDlgThread> m_worker;
    bool m_ran = false;
};

}  // namespace zq::fileops
