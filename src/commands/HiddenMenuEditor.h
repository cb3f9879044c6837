#pragma once
// What the hidden-menu dialog edits and shows: a copy of the hidden flags,
// the seven menu modes and the check items of one mode's top-level popups.
// The live flags change only in ApplyTo, which the dialog calls on OK.
//
//   HiddenMenuEditor ed(liveFlags);
//   for (const HiddenMenuItem& item : ed.Items(0)) ...check box per popup...
//   ed.SetHidden(0, 6, true);
//   if (ok) { ed.ApplyTo(liveFlags); rebuild the menu bar; }
#include <string>
#include <vector>

#include "commands/MenuBar.h"

namespace zq {

struct HiddenMenuItem {
    std::wstring label;  // the popup's label as the menu bar shows it
    bool hidden = false;
    bool alwaysHidden = false;  // the plug-in popup, removed whatever its flag says
};

class HiddenMenuEditor {
  public:
    explicit HiddenMenuEditor(const HiddenMenuFlags& original) : m_flags(original) {}

    [[nodiscard]] static std::vector<std::wstring> ModeNames();
    // The popups of one mode in menu order; empty for a mode out of range.
    [[nodiscard]] std::vector<HiddenMenuItem> Items(int mode) const;

    // Popups past the mode's count are ignored, so a stale check box cannot
    // create a flag that no menu has.
    void SetHidden(int mode, int popup, bool hidden);

    [[nodiscard]] const HiddenMenuFlags& Edited() const noexcept { return m_flags; }
    void ApplyTo(HiddenMenuFlags& target) const { target = m_flags; }

  private:
    HiddenMenuFlags m_flags;
};

}  // namespace zq
