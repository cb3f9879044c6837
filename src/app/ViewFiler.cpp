#include "app/ViewFiler.h"

#include <array>

#include "app/PaneModes.h"
#include "common/Handle.h"
#include "filer/CursorMemory.h"
#include "filer/FilerPane.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

// Messages of the panes go to the view's window; the history arrives with the jumps.
class ViewFiler::Host : public FilerPaneHost {
public:
    explicit Host(ViewContext& context) : m_context(context) {}
    void ShowMessage(const std::wstring& text) override { ui::ZqMessageBox(m_context.view, text); }
    void AddDirectoryHistory(const std::wstring&) override {}

private:
    ViewContext& m_context;
};

ViewFiler::ViewFiler(ViewContext& context) : m_context(context), m_host(std::make_unique<Host>(context)) {
    for (auto& pane : m_panes) pane = std::make_unique<FilerPane>(m_host.get());
}
ViewFiler::~ViewFiler() = default;

FilerPane& ViewFiler::Pane(int index) { return *m_panes.at(static_cast<size_t>(index)); }

int ViewFiler::ActivePane() const {
    const int focused = m_context.modes->FocusedPane();
    return focused < 0 ? 0 : focused;
}

void ViewFiler::Create() {
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    for (auto& pane : m_panes) pane->ChangeDirectory(current, false, nullptr);
}

void ViewFiler::RegisterCommands() {}
void ViewFiler::OnPeriodicTimer() {}

void ViewFiler::Refresh() {
    for (auto& pane : m_panes) {
        pane->ReadDirectory(kReadForced);
        pane->Sort();
    }
}

void ViewFiler::Paint(HDC dc, const RECT& client) {
    const PaneModes& modes = *m_context.modes;
    const LONG middle = (client.left + client.right) / 2;
    const std::array<RECT, 2> panes = {RECT{client.left, client.top, middle, client.bottom},
                                       RECT{middle, client.top, client.right, client.bottom}};
    for (int i = 0; i < 2; ++i) {
        const RECT& area = panes[static_cast<size_t>(i)];
        const bool focused = modes.Get(i).state & pane_state::kFocused;
        UniqueGdiObject pen(::CreatePen(PS_SOLID, focused ? 2 : 1, focused ? RGB(80, 160, 255) : RGB(96, 96, 96)));
        HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, area.left + 1, area.top + 1, area.right - 1, area.bottom - 1);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
        RECT text = area;
        ::InflateRect(&text, -8, -6);
        ::DrawTextW(dc, i == 0 ? L"左ペイン" : L"右ペイン", -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
}

}  // namespace zq
