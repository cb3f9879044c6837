#include "fileops/CSetTimeMacroDlg.h"

#include "resource.h"

namespace zq::fileops {

CSetTimeMacroDlg::CSetTimeMacroDlg(HWND parent, std::array<std::wstring, 5> formats)
    : CDialog(IDD_SETTIMEMACRO, parent), m_formats(std::move(formats)) {}

void CSetTimeMacroDlg::DoDataExchange(ui::DataExchange& dx) {
    static constexpr int kFields[5] = {IDC_TIMEMACRO_1, IDC_TIMEMACRO_2, IDC_TIMEMACRO_3, IDC_TIMEMACRO_4,
                                       IDC_TIMEMACRO_5};
    // The settings keep each format in 100 units.
    for (size_t i = 0; i < m_formats.size(); ++i) dx.Text(kFields[i], m_formats[i], 99);
}

}  // namespace zq::fileops
