#pragma once
// The parts of the view and the contents its two panes show: which content a
// pane shows, where the panes lay at the last paint, whose timer a timer id
// is, and what a pane goes back to when a content gives it up.
#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/PaneContent.h"
#include "commands/PaneModes.h"

namespace zq {

class PaneContents {
  public:
    // Timer ids from here on belong to the parts, kMaxPartTimers to each.
    static constexpr UINT_PTR kFirstPartTimer = 0x1000;

    explicit PaneContents(PaneModes& modes) : m_modes(modes) {}

    // `content` is the part itself when the part shows panes, otherwise null.
    // The first content added is the Filer: the one a pane goes back to.
    std::size_t Add(std::unique_ptr<IViewPart> part, IPaneContent* content);
    [[nodiscard]] std::size_t Count() const { return m_entries.size(); }
    [[nodiscard]] IViewPart& Part(std::size_t index) const { return *m_entries.at(index).part; }
    template <class Visit>
    void ForEachPart(Visit visit) const {
        for (const Entry& entry : m_entries) visit(*entry.part);
    }

    // The content that shows `mode`; null when none was added for it.
    [[nodiscard]] IPaneContent* ContentOfMode(std::uint32_t mode) const;
    // The content pane `pane` shows: the one of its mode, else the Filer, which
    // stands for every mode no content was added for.
    [[nodiscard]] IPaneContent* ContentOf(int pane) const;
    [[nodiscard]] IPaneContent* Focused() const;
    [[nodiscard]] int FocusedPane() const;

    void ShowMode(int pane, std::uint32_t mode, std::uint32_t subMode);
    void ShowFiler(int pane);

    // Lays the view out through the content that offers a frame (two halves
    // side by side when none does) and has each shown pane painted by its content.
    void Paint(HDC dc, const RECT& client);
    [[nodiscard]] RECT PaneRect(int pane) const;
    // The pane under a point in client pixels; -1 when none.
    [[nodiscard]] int PaneAt(POINT point) const;

    [[nodiscard]] static UINT_PTR TimerId(std::size_t part, unsigned id);
    // The part and its own id of a window timer; false when it is the view's.
    [[nodiscard]] bool TimerOwner(UINT_PTR timer, std::size_t& part, unsigned& id) const;

    void SetStatusText(std::size_t part, std::wstring_view text) { m_entries.at(part).status = text; }
    // What the title names for the focused content.
    [[nodiscard]] std::wstring FocusedLocation() const;

  private:
    struct Entry {
        std::unique_ptr<IViewPart> part;
        IPaneContent* content = nullptr;
        std::wstring status;
    };
    [[nodiscard]] IPaneContent* Filer() const;

    PaneModes& m_modes;
    std::vector<Entry> m_entries;
    PaneFrame m_frame{};
    // The Filer's mode word of each pane while another content shows it.
    std::array<std::optional<StructPaneMode>, 2> m_filerMode;
};

}  // namespace zq
