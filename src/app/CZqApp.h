#pragma once
#include <memory>

#include "app/ProcessShared.h"
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
    bool PreTranslateMessage(MSG& message) override;

private:
    ProcessShared m_shared;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CZqView> m_view;
    bool m_oleInitialised = false;
};

}  // namespace zq
