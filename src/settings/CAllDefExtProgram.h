#pragma once
// "外部プログラム": the editor, its default inputs and the command shell.
#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq {

class CAllDefExtProgram : public ui::CDialog {
  public:
    explicit CAllDefExtProgram(Settings& edit);

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    Settings& m_edit;
};

}  // namespace zq
