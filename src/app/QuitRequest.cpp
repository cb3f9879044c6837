#include "app/QuitRequest.h"

#include <windows.h>

namespace zq {

bool RunQuitRequest(const StructQuitInput& input, IQuitUi& ui) {
    const StructQuitDecision decision = DecideQuit(input);
    if (!decision.refusal.empty()) {
        ui.ShowRefusal(decision.refusal);
        return false;
    }
    ui.Suspend();
    ui.PlayQuitSound();
    const int answer = decision.showDialog ? ui.AskQuit() : IDOK;
    switch (answer) {
        case IDOK:
            ui.CloseFrame();
            return true;
        case kQuitShutDownButton:
        case kQuitRebootButton:
            ui.SaveForSystemEnd();
            ui.EndWindows(answer == kQuitRebootButton);
            return true;
        default:
            ui.Resume();
            return false;
    }
}

}  // namespace zq
