#include <gtest/gtest.h>

#include <windows.h>

#include "app/QuitRequest.h"
#include "app/SystemEnd.h"

using namespace zq;

namespace {
struct ScriptedQuitUi : IQuitUi {
    int answer = IDOK;
    std::wstring log;
    void ShowRefusal(const std::wstring& text) override { log += L"refuse(" + text + L") "; }
    void Suspend() override { log += L"suspend "; }
    void Resume() override { log += L"resume "; }
    void PlayQuitSound() override { log += L"sound "; }
    int AskQuit() override {
        log += L"ask ";
        return answer;
    }
    void CloseFrame() override { log += L"close "; }
    void SaveForSystemEnd() override { log += L"save "; }
    void EndWindows(bool reboot) override { log += reboot ? L"reboot " : L"shutdown "; }
};
}  // namespace

TEST(QuitRequest, EachAnswerLeadsToItsSteps) {
    struct Case {
        StructQuitInput in;
        int answer;
        bool ends;
        const wchar_t* steps;
    };
    const Case cases[] = {
        {{}, IDOK, true, L"suspend sound ask close "},
        {{}, IDCANCEL, false, L"suspend sound ask resume "},
        {{}, kQuitShutDownButton, true, L"suspend sound ask save shutdown "},
        {{}, kQuitRebootButton, true, L"suspend sound ask save reboot "},
        {{false, false, false, false, 1, 0}, IDCANCEL, true, L"suspend sound close "},  // never asked
        {{false, false, false, true, 0, 0}, IDCANCEL, true, L"suspend sound close "},   // frame close, not asked
        {{false, false, false, true, 0, 1}, IDCANCEL, false, L"suspend sound ask resume "},
        {{false, true, false, false, 0, 0}, IDOK, false, L"refuse(削除処理中のため終了できません) "},
    };
    for (const auto& c : cases) {
        ScriptedQuitUi ui;
        ui.answer = c.answer;
        EXPECT_EQ(RunQuitRequest(c.in, ui), c.ends) << c.steps;
        EXPECT_EQ(ui.log, c.steps);
    }
}

TEST(QuitRequest, WindowsEndsWithTheAskedFlagsAfterThePrivilege) {
    for (const bool reboot : {false, true}) {
        std::wstring log;
        SystemEndCalls calls;
        calls.enableShutdownPrivilege = [&] {
            log += L"privilege ";
            return false;
        };
        calls.exitWindows = [&](UINT flags, DWORD) {
            log += std::to_wstring(flags);
            return true;
        };
        // A refused privilege does not stop the request: Windows' own answer counts.
        EXPECT_TRUE(EndWindowsSession(reboot, calls));
        EXPECT_EQ(log, L"privilege " + std::to_wstring(reboot ? EWX_REBOOT : EWX_SHUTDOWN | EWX_POWEROFF));
    }
}
