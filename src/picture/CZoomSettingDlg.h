#pragma once
// "画像の拡大縮小": which ratios the zoom commands step through (ZOOMDATA), the
// ratio every picture starts at (ZOOMNUMBER; the first row "倍率設定しない" is
// none), and whether a zoom step becomes that ratio (CHANGEZOOMENABLE).  The
// dialog edits copies; the caller keeps them only after OK.
#include <array>

#include "picture/GraphicGeometry.h"
#include "ui/CDialog.h"

namespace zq {

class CZoomSettingDlg : public ui::CDialog {
  public:
    struct Values {
        std::array<int, picture::kZoomCount> steps{};
        int fixed = 0;  // 0: none, 1..kZoomCount: a row of the zoom table
        bool remember = false;
    };
    CZoomSettingDlg(HWND parent, const Values& values);

    [[nodiscard]] const Values& Result() const noexcept { return m_values; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    Values m_values;
};

}  // namespace zq
