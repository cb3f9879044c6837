#pragma once
// "再読み込み設定": automatic reload per drive class.
#include "settings/CSettingsPage.h"

namespace zq {

class CAllDefReloadPage : public CSettingsPage {
  public:
    explicit CAllDefReloadPage(Settings& edit);

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
};

}  // namespace zq
