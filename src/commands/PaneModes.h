#pragma once
// Pane-state bits, mode words and the mode query every feature asks: "does
// pane 0, pane 1 or either pane show this kind of thing, in this state?"
#include <array>
#include <cstdint>
#include <functional>

namespace zq {

namespace pane_state {
constexpr uint32_t kFocused = 1;  // the pane with the focus
constexpr uint32_t kOther = 2;    // the other shown pane
constexpr uint32_t kHidden = 4;   // not shown
}  // namespace pane_state

namespace pane_mode {
constexpr uint32_t kDirectory = 0x0008;
constexpr uint32_t kText = 0x0010;
constexpr uint32_t kPicture = 0x0040;
constexpr uint32_t kDriveList = 0x0080;
constexpr uint32_t kArchive = 0x0100;
constexpr uint32_t kArchiveText = 0x0200;
constexpr uint32_t kBinary = 0x0400;
constexpr uint32_t kArchivePicture = 0x0800;
constexpr uint32_t kListing = 0x1000;
constexpr uint32_t kNetwork = 0x2000;

// Group masks: menus and key texts use the first Filer mask, the key dispatcher the second.
constexpr uint32_t kFilerGroup = 0x3188;
constexpr uint32_t kFilerDispatchGroup = 0x2188;
constexpr uint32_t kViewerGroup = 0x0210;
constexpr uint32_t kGraphicGroup = 0x0840;
constexpr uint32_t kBinaryGroup = 0x0400;
constexpr uint32_t kAllViewers = 0x0E50;
constexpr uint32_t kFileCursorListings = 0x0108;
constexpr uint32_t kFileCursorListingsWithNetwork = 0x2108;
}  // namespace pane_mode

struct StructPaneMode {
    uint32_t state = pane_state::kHidden;
    uint32_t mode = pane_mode::kDirectory;
    uint32_t subMode = 0;
};

class PaneModes {
  public:
    static constexpr int kEither = -1;

    PaneModes();
    // Both panes shown as directory listings, pane 0 focused.
    void Set(int pane, uint32_t state, uint32_t mode, uint32_t subMode);
    [[nodiscard]] const StructPaneMode& Get(int pane) const { return m_panes.at(static_cast<size_t>(pane)); }
    // The two sides trade what they show (mode and sub-mode); the focus stays with its side.
    void ExchangeContents();
    // Called after every change of a pane's state, mode or sub-mode (the menu bar follows them).
    void SetChangeObserver(std::function<void()> observer) { m_observer = std::move(observer); }

    // A word meets a mask when they share a bit; a zero mode or sub-mode mask
    // matches anything, a zero state mask means "shown" (state 1 or 2).
    [[nodiscard]] bool Query(int pane, uint32_t stateMask, uint32_t modeMask, uint32_t subModeMask = 0) const;
    // Index of the first qualifying pane (0 before 1), -1 when none.
    [[nodiscard]] int FindPane(int pane, uint32_t stateMask, uint32_t modeMask, uint32_t subModeMask = 0) const;
    // The pane that has the focus, or -1.
    [[nodiscard]] int FocusedPane() const { return FindPane(kEither, pane_state::kFocused, 0); }

  private:
    [[nodiscard]] bool Qualifies(int pane, uint32_t stateMask, uint32_t modeMask, uint32_t subModeMask) const;
    std::array<StructPaneMode, 2> m_panes;
    std::function<void()> m_observer;
};

}  // namespace zq
