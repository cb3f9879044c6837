#pragma once
// "コピーしないときの処理": the two things still done to a destination that is
// not copied over.
#include "ui/CDialog.h"

namespace zq::fileops {

class CNoCopyActionDlg : public ui::CDialog {
public:
    CNoCopyActionDlg(HWND parent, bool attributes, bool dateTime);
    bool m_attributes;
    bool m_dateTime;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
};

}  // namespace zq::fileops
