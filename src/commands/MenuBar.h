#pragma once
// The menu bar that follows the focused pane's mode, and the user's choice of
// top-level popups to hide in each of the seven menu bars.
//
//   unsigned res = ChooseMenuBar(menuDisplay, focusedPaneIn);   // 0: no menu bar
//   load menu res; for (int i : TopLevelPopupsToRemove(res, flags, labelsOfTheBar)) RemoveMenu(bar, i, MF_BYPOSITION);
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/KeyAssignments.h"
#include "commands/ModeMasks.h"

namespace zq {

inline constexpr int kMenuModeCount = 7;
inline constexpr int kMaxMenuPopups = 10;

struct StructMenuMode {
    const wchar_t* modeName;  // as the hidden-menu dialog lists it
    unsigned resource;        // the menu bar of the mode
    int popupCount;
    const wchar_t* popups[kMaxMenuPopups];  // top-level labels, left to right
};

// Seven records: directory listing, network, drive list, archive, text
// viewer, binary editor, picture viewer.
[[nodiscard]] std::span<const StructMenuMode> MenuModeTable();
[[nodiscard]] int MenuModeIndex(unsigned resource);  // -1 for a resource not in the table

// The bar for the focused pane (mode query on the focused pane); 0 when the
// menu bar is switched off (MENUDISPLAY 0) or no mode matches.
[[nodiscard]] unsigned ChooseMenuBar(bool menuDisplay, const ModeQuery& focusedPaneIn);

// The label that is removed from every bar whatever the flags say.
inline constexpr std::wstring_view kPluginPopupLabel = L"プラグイン(&I)";

// Hidden flags per record and popup; section NOTVIEWMENU, keys "MENU%02d%02d".
class HiddenMenuFlags {
  public:
    [[nodiscard]] bool Hidden(int mode, int popup) const;
    void SetHidden(int mode, int popup, bool hidden);

    // One key per popup of every record, "1" hidden, "0" shown.
    [[nodiscard]] std::vector<KeyValueLine> ToSection() const;
    // Missing keys leave the flag as it is; a value reads as an integer.
    void ReadSection(const std::vector<KeyValueLine>& lines);

    friend bool operator==(const HiddenMenuFlags&, const HiddenMenuFlags&) = default;

  private:
    bool m_hidden[kMenuModeCount][kMaxMenuPopups] = {};
};

// Positions (highest first, so they can be removed one after the other) of
// the top-level items of the bar to remove: the hidden popups of the bar's
// record and the plug-in popup, matched by exact label.
[[nodiscard]] std::vector<int> TopLevelPopupsToRemove(unsigned resource, const HiddenMenuFlags& flags,
                                                      std::span<const std::wstring> barLabels);

}  // namespace zq
