#pragma once
#include <memory>
#include <string>

#include "app/ProcessShared.h"
#include "ui/CWinApp.h"

namespace zq {

class CMainFrame;
class CZqView;
class IniFile;
class SettingsSaver;
struct Settings;
struct UserIniState;

class CZqApp : public ui::CWinApp {
  public:
    CZqApp();
    ~CZqApp() override;

  protected:
    bool InitInstance() override;
    int ExitInstance() override;
    bool PreTranslateMessage(MSG& message) override;

  private:
    bool LoadSettings();

    ProcessShared m_shared;
    std::wstring m_programDir;
    std::wstring m_windowsDir;
    std::wstring m_userName;
    std::unique_ptr<IniFile> m_reader;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<UserIniState> m_user;
    std::unique_ptr<SettingsSaver> m_saver;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CZqView> m_view;
    bool m_oleInitialised = false;
};

}  // namespace zq
