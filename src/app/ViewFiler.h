#pragma once
// The Filer side of the view: the two panes' listings, their drawing and the
// Filer's own commands (cursor, marks, directories, sort, display).
#include <windows.h>

#include <array>
#include <memory>

#include "app/ViewContext.h"

namespace zq {

class FilerPane;
class CursorMemory;

class ViewFiler {
public:
    explicit ViewFiler(ViewContext& context);
    ~ViewFiler();
    ViewFiler(const ViewFiler&) = delete;
    ViewFiler& operator=(const ViewFiler&) = delete;

    // At the view's creation, after the settings are loaded.
    void Create();
    void RegisterCommands();
    void Paint(HDC dc, const RECT& client);
    // Timer 1's periodic work for the listings.
    void OnPeriodicTimer();
    // An operation dialog ended (command 1185): re-read the shown listings.
    void Refresh();

    // The two panes (0 and 1), the one with the focus and the other one.
    FilerPane& Pane(int index);
    [[nodiscard]] int ActivePane() const;
    [[nodiscard]] int OtherPane() const { return ActivePane() ^ 1; }

private:
    class Host;
    ViewContext& m_context;
    std::unique_ptr<Host> m_host;
    std::array<std::unique_ptr<FilerPane>, 2> m_panes;
    std::unique_ptr<CursorMemory> m_cursorMemory;
};

}  // namespace zq
