#pragma once
// "名前の交換": shows the two files and, on OK, has them trade names.  The
// dialog stays open when the exchange is refused, so the user reads why.
#include "fileops/RenameExchange.h"
#include "ui/CDialog.h"

namespace zq::fileops {

class CRenameExchangeDlg final : public ui::CDialog {
  public:
    CRenameExchangeDlg(HWND parent, ExchangeFile first, ExchangeFile second);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    ExchangeFile m_first;
    ExchangeFile m_second;
};

}  // namespace zq::fileops
