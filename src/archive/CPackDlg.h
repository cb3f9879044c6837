#pragma once
// The modeless packing dialog ("ファイルの圧縮", titled by the command that
// opened it): the archive's name, then, while the worker packs, the file
// going in, which the library's "wm_arcextract" messages update.
#include <functional>

#include "archive/Packing.h"
#include "ui/COperationDlg.h"

namespace zq {

class CPackDlg : public ui::COperationDlg {
  public:
    // `request.archive` is the name offered; relative names typed are taken from `targetDirectory`.
    CPackDlg(HWND view, std::wstring caption, StructPackRequest request, std::wstring targetDirectory);
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
    std::wstring m_caption;
    StructPackRequest m_request;
    std::wstring m_targetDirectory;
    UINT m_extractMessage = 0;
};

}  // namespace zq
