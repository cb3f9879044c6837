#pragma once
// "ワイルドカードの設定": the pattern (with the history in its drop-down),
// "DIRにも適用", "DOSファイル名には適用しない" and the additional conditions
// behind "追加条件".  The dialog only edits its values; the caller stores them.
#include <string>
#include <vector>

#include "filer/FileConditions.h"
#include "ui/CDialog.h"

namespace zq {

struct WildcardChoice {
    std::wstring pattern;
    bool appliesToDirectories = false;
    bool neglectDosNames = false;  // FIND_FILE_NEGLECT_DOS_NAME
    FileConditions conditions;
};

class CWildcardDlg : public ui::CDialog {
  public:
    // `history` is listed most recent first; empty slots are left out.
    CWildcardDlg(HWND parent, const WildcardChoice& initial, std::vector<std::wstring> history);
    [[nodiscard]] const WildcardChoice& Result() const noexcept { return m_choice; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    WildcardChoice m_choice;
    std::vector<std::wstring> m_history;
};

}  // namespace zq
