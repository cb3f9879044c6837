#pragma once
// The Filer display page: column widths, the time shown, and the display filters.
#include "settings/CSettingsPage.h"

namespace zq {

class CAllDefFilerSetting : public CSettingsPage {
  public:
    explicit CAllDefFilerSetting(Settings& edit);

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
};

}  // namespace zq
