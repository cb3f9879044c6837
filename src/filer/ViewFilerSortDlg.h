#pragma once
// The sort dialog "ソート方法" on one set of sort values; titled
// "仮ファイルソート" when it edits a pane's temporary settings.
#include <string>

#include "filer/SortSettings.h"
#include "ui/CDialog.h"

namespace zq {

inline constexpr const wchar_t* kTempSortTitle = L"仮ファイルソート";

// The controls' values: radio and list positions.
struct SortDialogValues {
    int key = 0;       // radio 0-5
    int equal = 0;     // list 0-6
    int dirKey = 0;    // list 0-5
    int order = 0;     // 0 ascending, 1 descending
    int dirOrder = 0;  // 0 ascending, 1 descending
    bool noSeparate = false;

    bool operator==(const SortDialogValues&) const = default;
};

// A key beyond the radio buttons opens as "no sort", an order beyond
// ascending as descending, a list value beyond its list as the first item.
[[nodiscard]] SortDialogValues ToSortDialog(const SortSettings& sort);
// The reserved fields are taken from `base`.
[[nodiscard]] SortSettings FromSortDialog(const SortDialogValues& values, const SortSettings& base);

class ViewFilerSortDlg : public ui::CDialog {
  public:
    ViewFilerSortDlg(HWND parent, bool temporary, const SortSettings& initial);
    [[nodiscard]] SortSettings Result() const { return FromSortDialog(m_values, m_initial); }

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    bool m_temporary;
    SortSettings m_initial;
    SortDialogValues m_values;
};

}  // namespace zq
