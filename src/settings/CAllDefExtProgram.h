#pragma once
// "外部プログラム": the editor, its default inputs and the command shell.
#include "settings/CSettingsPage.h"

namespace zq {

class CAllDefExtProgram : public CSettingsPage {
  public:
    explicit CAllDefExtProgram(Settings& edit);

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
};

}  // namespace zq
