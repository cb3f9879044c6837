#include "commands/PaneContents.h"

namespace zq {

namespace {

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool IsEmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Without a content that lays the view out, the shown panes share it side by side.
PaneFrame SplitEvenly(const RECT& client, bool firstShown, bool secondShown) {
    PaneFrame frame;
    if (firstShown && secondShown) {
        const LONG middle = client.left + (client.right - client.left) / 2;
        frame.panes[0] = {client.left, client.top, middle, client.bottom};
        frame.panes[1] = {middle, client.top, client.right, client.bottom};
    } else if (firstShown) {
        frame.panes[0] = client;
    } else if (secondShown) {
        frame.panes[1] = client;
    }
    return frame;
}

}  // namespace

std::size_t PaneContents::Add(std::unique_ptr<IViewPart> part, IPaneContent* content) {
    m_entries.push_back({std::move(part), content, {}});
    return m_entries.size() - 1;
}

IPaneContent* PaneContents::Filer() const {
    for (const Entry& entry : m_entries)
        if (entry.content) return entry.content;
    return nullptr;
}

IPaneContent* PaneContents::ContentOfMode(std::uint32_t mode) const {
    for (const Entry& entry : m_entries)
        if (entry.content && (entry.content->ModeMask() & mode) != 0) return entry.content;
    return nullptr;
}

IPaneContent* PaneContents::ContentOf(int pane) const {
    if (pane < 0 || pane > 1) return Filer();
    IPaneContent* content = ContentOfMode(m_modes.Get(pane).mode);
    return content ? content : Filer();
}

int PaneContents::FocusedPane() const {
    const int focused = m_modes.FocusedPane();
    return focused < 0 ? 0 : focused;
}

IPaneContent* PaneContents::Focused() const {
    return ContentOf(FocusedPane());
}

void PaneContents::ShowMode(int pane, std::uint32_t mode, std::uint32_t subMode) {
    if (pane < 0 || pane > 1) return;
    const StructPaneMode now = m_modes.Get(pane);
    IPaneContent* filer = Filer();
    // Only the first move away from the Filer is remembered: a viewer opened
    // from a picture still returns the pane to its listing.
    if (filer && ContentOfMode(now.mode) == filer && ContentOfMode(mode) != filer)
        m_filerMode[static_cast<size_t>(pane)] = now;
    const std::uint32_t state = (now.state & pane_state::kHidden) ? pane_state::kOther : now.state;
    m_modes.Set(pane, state, mode, subMode);
}

void PaneContents::ShowFiler(int pane) {
    if (pane < 0 || pane > 1) return;
    auto& saved = m_filerMode[static_cast<size_t>(pane)];
    const StructPaneMode now = m_modes.Get(pane);
    if (saved) {
        m_modes.Set(pane, now.state, saved->mode, saved->subMode);
        saved.reset();
    } else if (ContentOf(pane) != Filer() || !ContentOfMode(now.mode)) {
        m_modes.Set(pane, now.state, pane_mode::kDirectory, 0);
    }
}

void PaneContents::Paint(HDC dc, const RECT& client) {
    IPaneFrame* frame = nullptr;
    for (const Entry& entry : m_entries) {
        if (entry.content && (frame = entry.content->Frame()) != nullptr) break;
    }
    if (frame) {
        m_frame = frame->Arrange(dc, client);
        frame->PaintFrame(dc, client, m_frame);
    } else {
        m_frame = SplitEvenly(client, !(m_modes.Get(0).state & pane_state::kHidden),
                              !(m_modes.Get(1).state & pane_state::kHidden));
    }
    for (int pane = 0; pane < 2; ++pane) {
        const RECT& rect = m_frame.panes[static_cast<size_t>(pane)];
        IPaneContent* content = ContentOf(pane);
        if (IsEmptyRect(rect) || !content) continue;
        const int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        content->Paint(dc, pane, rect);
        if (saved != 0) ::RestoreDC(dc, saved);
    }
}

RECT PaneContents::PaneRect(int pane) const {
    if (pane < 0 || pane > 1) return {};
    return m_frame.panes[static_cast<size_t>(pane)];
}

int PaneContents::PaneAt(POINT point) const {
    for (int pane = 0; pane < 2; ++pane)
        if (Contains(m_frame.panes[static_cast<size_t>(pane)], point)) return pane;
    return -1;
}

UINT_PTR PaneContents::TimerId(std::size_t part, unsigned id) {
    return kFirstPartTimer + part * IPaneHost::kMaxPartTimers + id;
}

bool PaneContents::TimerOwner(UINT_PTR timer, std::size_t& part, unsigned& id) const {
    if (timer < kFirstPartTimer) return false;
    const UINT_PTR offset = timer - kFirstPartTimer;
    part = static_cast<std::size_t>(offset / IPaneHost::kMaxPartTimers);
    id = static_cast<unsigned>(offset % IPaneHost::kMaxPartTimers);
    return part < m_entries.size();
}

std::wstring PaneContents::FocusedLocation() const {
    IPaneContent* content = Focused();
    if (!content) return {};
    for (const Entry& entry : m_entries)
        if (entry.content == content && !entry.status.empty()) return entry.status;
    return content->ActiveLocation();
}

}  // namespace zq
