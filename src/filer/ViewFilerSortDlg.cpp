#include "filer/ViewFilerSortDlg.h"

#include "resource.h"

namespace zq {

namespace {

const wchar_t* const kEqualItems[] = {
    L"デフォルト",       L"ファイル名でソート", L"時間でソート", L"ファイルサイズでソート",
    L"拡張子名でソート", L"属性でソート",       L"ソートしない"};
const wchar_t* const kDirKeyItems[] = {L"ファイルの形式と同じ",   L"ファイル名でソート", L"時間でソート",
                                       L"ファイルサイズでソート", L"拡張子名でソート",   L"属性でソート"};

int InList(uint32_t value, size_t count) {
    return value < count ? static_cast<int>(value) : 0;
}

void FillList(HWND combo, const wchar_t* const* items, size_t count) {
    for (size_t i = 0; i < count; ++i) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
}

}  // namespace

SortDialogValues ToSortDialog(const SortSettings& sort) {
    SortDialogValues d;
    d.key = sort.v[0] > 5 ? 5 : static_cast<int>(sort.v[0]);
    d.equal = InList(sort.v[1], std::size(kEqualItems));
    d.dirKey = InList(sort.v[3], std::size(kDirKeyItems));
    d.dirOrder = sort.v[6] != 0 ? 1 : 0;
    d.order = sort.v[7] != 0 ? 1 : 0;
    d.noSeparate = sort.v[8] != 0;
    return d;
}

SortSettings FromSortDialog(const SortDialogValues& d, const SortSettings& base) {
    SortSettings s = base;
    s.v[0] = static_cast<uint32_t>(d.key < 0 ? 0 : d.key);
    s.v[1] = static_cast<uint32_t>(d.equal < 0 ? 0 : d.equal);
    s.v[3] = static_cast<uint32_t>(d.dirKey < 0 ? 0 : d.dirKey);
    s.v[6] = d.dirOrder == 1 ? 1u : 0u;
    s.v[7] = d.order == 1 ? 1u : 0u;
    s.v[8] = d.noSeparate ? 1u : 0u;
    // An empty temporary set keeps its reserved fields at -1; a stored set has them as read.
    return s;
}

ViewFilerSortDlg::ViewFilerSortDlg(HWND parent, bool temporary, const SortSettings& initial)
    : ui::CDialog(IDD_FILER_SORT, parent),
      m_temporary(temporary),
      m_initial(initial),
      m_values(ToSortDialog(initial)) {}

bool ViewFilerSortDlg::OnInitDialog() {
    if (m_temporary) ::SetWindowTextW(GetSafeHwnd(), kTempSortTitle);
    FillList(GetDlgItem(IDC_SORT_EQUAL), kEqualItems, std::size(kEqualItems));
    FillList(GetDlgItem(IDC_SORT_DIR_KEY), kDirKeyItems, std::size(kDirKeyItems));
    return ui::CDialog::OnInitDialog();
}

void ViewFilerSortDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Radio(IDC_SORT_KEY_NAME, IDC_SORT_KEY_NONE, m_values.key);
    dx.ComboIndex(IDC_SORT_EQUAL, m_values.equal);
    dx.ComboIndex(IDC_SORT_DIR_KEY, m_values.dirKey);
    dx.Radio(IDC_SORT_ASCENDING, IDC_SORT_DESCENDING, m_values.order);
    dx.Radio(IDC_SORT_DIR_ASCENDING, IDC_SORT_DIR_DESCENDING, m_values.dirOrder);
    dx.Check(IDC_SORT_NO_SEPARATE, m_values.noSeparate);
}

}  // namespace zq
