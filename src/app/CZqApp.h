#pragma once
#include <memory>

#include "ui/CWinApp.h"

namespace zq {

class CMainFrame;
class CZqView;

class CZqApp : public ui::CWinApp {
public:
    CZqApp();
    ~CZqApp() override;

protected:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CZqView> m_view;
    bool m_comInitialised = false;
};

}  // namespace zq
