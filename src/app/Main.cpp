#include <windows.h>

#include "app/CZqApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    zq::CZqApp app;
    return app.Run();
}
