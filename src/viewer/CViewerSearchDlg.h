#pragma once
// The search settings dialog "文字列の検索の設定": the string (an editable
// list holding the search history), where to start, the direction and
// whether case is ignored.
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq::viewer {

struct SearchChoice {
    std::wstring text;
    int start = 0;      // 0 from the beginning, 1 from the current line
    int direction = 1;  // 0 up, 1 down
    bool ignoreCase = false;
};

class CViewerSearchDlg : public ui::CDialog {
  public:
    CViewerSearchDlg(HWND parent, const SearchChoice& initial, std::vector<std::wstring> history);
    [[nodiscard]] const SearchChoice& Result() const { return m_choice; }

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    SearchChoice m_choice;
    std::vector<std::wstring> m_history;
};

}  // namespace zq::viewer
