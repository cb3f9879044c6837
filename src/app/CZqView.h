#pragma once
#include <string>

#include "app/DialogLists.h"
#include "app/PaneModes.h"
#include "app/StartupRules.h"
#include "ui/CView.h"

namespace zq {

// The settings the view's spine reads (filled by the settings loader).
struct StructViewOptions {
    int notQuitMessage = 0;    // NOTQUITMESSAGE
    int askAlwaysAtExit = 0;   // ASK_ALWAYS_AT_EXIT
    StructPlacementInput placement;
};

// The one view: it owns the two panes and draws and drives everything.
class CZqView : public ui::CView {
public:
    enum StartedFlag { kNotStarted = 0, kIdle = 1, kPeriodicWork = 2 };

    explicit CZqView(StructViewOptions options = {});
    ~CZqView() override;

    // Answers whether the program ends; fromClose is set when the frame is being closed.
    bool QuitRequest(bool fromClose);
    [[nodiscard]] bool Quitting() const noexcept { return m_quitting; }

    // Every dialog and long operation started from the view is bracketed by these.
    void Suspend();
    void Resume();
    [[nodiscard]] int StartedFlag() const noexcept { return m_started; }

    PaneModes& Modes() noexcept { return m_modes; }
    DialogLists& Lists() noexcept { return m_lists; }
    [[nodiscard]] const StructLastPlacement& LastPlacement() const noexcept { return m_last; }

protected:
    bool OnCreate() override;
    void OnDraw(HDC dc, const RECT& client) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class QuitUi;
    void PlaceWindow(int phase);
    void OnTimer(UINT_PTR id);
    void OnOperationEnded();
    void DrawPane(HDC dc, const RECT& area, int index) const;
    void DrawClock(HDC dc, const RECT& client) const;

    StructViewOptions m_options;
    PaneModes m_modes;
    DialogLists m_lists;
    StructLastPlacement m_last{};
    int m_started = kNotStarted;
    bool m_quitting = false;
    bool m_placementDone = false;
    bool m_firstPaintDone = false;
    bool m_tearingDown = false;
};

}  // namespace zq
