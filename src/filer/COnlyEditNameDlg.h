#pragma once
// A dialog of one edit line and OK/Cancel, titled by its caller: the volume
// label of a drive, and other single names.
#include <string>

#include "ui/CDialog.h"

namespace zq {

// A volume label holds at most this many characters on the file systems that have one.
inline constexpr int kVolumeLabelUnits = 32;

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
