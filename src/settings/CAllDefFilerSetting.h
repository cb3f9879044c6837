#pragma once
// The Filer display page: column widths, the time shown, and the display filters.
#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq {

class CAllDefFilerSetting : public ui::CDialog {
  public:
    explicit CAllDefFilerSetting(Settings& edit);

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    Settings& m_edit;
};

}  // namespace zq
