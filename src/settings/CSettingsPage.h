#pragma once
// A page of "ファイラー設定": a child dialog that exchanges its controls with the
// sheet's copy of the settings.
#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq {

class CSettingsPage : public ui::CDialog {
  public:
    CSettingsPage(UINT templateId, Settings& edit) : CDialog(templateId), m_edit(edit) {}

  protected:
    Settings& m_edit;
};

}  // namespace zq
