#pragma once
// A dialog of one edit line and OK/Cancel, titled by its caller: the volume
// label of a drive, a jump group's name ("追加グループ名の設定", "グループ名の変更").
#include <string>

#include "ui/CDialog.h"

namespace zq {

// A volume label holds at most this many characters on the file systems that have one.
inline constexpr int kVolumeLabelUnits = 32;
// A jump group's name, as the settings file holds it.
inline constexpr int kJumpGroupNameUnits = 520;

class COnlyEditNameDlg : public ui::CDialog {
  public:
    COnlyEditNameDlg(HWND parent, std::wstring caption, std::wstring name, int limit);
    [[nodiscard]] const std::wstring& Name() const noexcept { return m_name; }

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::wstring m_caption;
    std::wstring m_name;
    int m_limit;
};

}  // namespace zq
