#pragma once
// The Filer side of the view: the two panes' listings, their drawing and the
// Filer's own commands (cursor, marks, directories, sort, display).
#include <windows.h>

#include "app/ViewContext.h"

namespace zq {

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

private:
    ViewContext& m_context;
};

}  // namespace zq
