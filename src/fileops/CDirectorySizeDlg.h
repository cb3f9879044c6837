#pragma once
// "ディレクトリのサイズの調査": starts the survey of the entries it is given
// on a worker and shows the three totals when the worker is done.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fileops/DirectorySize.h"
#include "ui/CDialog.h"

namespace zq::fileops {

class CCalDirectoryThread;

class CDirectorySizeDlg final : public ui::CDialog {
  public:
    CDirectorySizeDlg(HWND parent, std::wstring directory, std::vector<WIN32_FIND_DATAW> entries, bool continuous,
                      bool marked);
    ~CDirectorySizeDlg() override;
    // Set when the worker finished; the totals are then those shown.
    [[nodiscard]] bool Measured() const noexcept { return m_measured; }
    [[nodiscard]] const DirectoryTotals& Totals() const noexcept { return m_totals; }
    // "サイズの連続調査" as it stood when the dialog ended with OK.
    [[nodiscard]] bool Continuous() const noexcept { return m_continuous; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    void StopWorker();

    std::wstring m_directory;
    std::vector<WIN32_FIND_DATAW> m_entries;
    bool m_continuous;
    bool m_marked;
    bool m_measured = false;
    DirectoryTotals m_totals;
    std::unique_ptr<CCalDirectoryThread> m_worker;
};

}  // namespace zq::fileops
