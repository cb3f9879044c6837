#pragma once
// "解凍設定": the extraction switches of each archiver family (the option
// words of its table row, UNPACK%02d%02d) and the archiver library's path.
// The dialog edits copies; the caller keeps them only after OK.
#include <array>
#include <string>
#include <vector>

#include "archive/ArchiverTable.h"
#include "ui/CDialog.h"

namespace zq {

class CUnpackSettingsDlg : public ui::CDialog {
  public:
    using Switches = std::array<std::array<int, 10>, kArchiverRows>;

    CUnpackSettingsDlg(HWND parent, std::vector<StructArchiverRow> table, Switches switches, std::wstring libraryPath);

    [[nodiscard]] const Switches& Result() const noexcept { return m_switches; }
    [[nodiscard]] const std::wstring& LibraryPath() const noexcept { return m_libraryPath; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    void ShowRow(int row);
    void KeepRow();

    std::vector<StructArchiverRow> m_table;
    Switches m_switches;
    std::wstring m_libraryPath;
    int m_row = 0;
};

}  // namespace zq
