#pragma once
// The modeless packing dialog ("ファイルの圧縮", titled by the command that
// opened it): the archive's name, then, while the worker packs, the file
// going in, which the library's "wm_arcextract" messages update.  Packing
// each entry into an archive of its own, it asks for the folder instead.
#include <functional>
#include <vector>

#include "archive/Packing.h"
#include "ui/COperationDlg.h"

namespace zq {

class CPackDlg : public ui::COperationDlg {
  public:
    // `request.archive` is the name offered; relative names typed are taken from `targetDirectory`.
    // `eachEntry`: one archive per entry of `request`, in the folder typed.
    CPackDlg(HWND view, std::wstring caption, StructPackRequest request, std::wstring targetDirectory,
             bool eachEntry = false);
    ~CPackDlg() override;

    // The job ended, packed or not: the panes are read again.
    std::function<void()> onEnded;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnWorkerEnded(bool completed) override;

  private:
    // The requests OK would run, each checked; empty when a box told why not.
    [[nodiscard]] std::vector<StructPackRequest> CheckedRequests();

    std::wstring m_caption;
    StructPackRequest m_request;
    std::wstring m_targetDirectory;
    bool m_eachEntry = false;
    UINT m_extractMessage = 0;
};

}  // namespace zq
