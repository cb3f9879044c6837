#pragma once
// "再読み込み設定": automatic reload per drive class.
#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq {

class CAllDefReloadPage : public ui::CDialog {
  public:
    explicit CAllDefReloadPage(Settings& edit);

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    Settings& m_edit;
};

}  // namespace zq
