#pragma once
// "ユーザーごとのIniファイルの設定": the user's own settings file and the two
// choices about it.  The values are taken over only on OK.
#include <string>

#include "settings/SettingsSaver.h"
#include "ui/CDialog.h"

namespace zq {

class CUseriniDlg : public ui::CDialog {
  public:
    CUseriniDlg(std::wstring userName, UserIniState state, HWND parent = nullptr);

    std::wstring userName;
    UserIniState state;

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
};

}  // namespace zq
