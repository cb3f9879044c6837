#pragma once
// The rules behind the display-file settings dialog "表示ファイル設定": six
// boxes that say what is shown, a selector between the current values
// ("現在値") and the five stored groups ("設定1" … "設定5"), and storing the
// boxes into the selected group.
//
// Groups hold the DISP_FILE_SETTING bit layout (see FilerOptions.h), in which
// the "." and ".." bits say "hide"; the boxes always say "show".
#include <array>
#include <cstdint>

namespace zq {

enum DispFileBox : int {
    kBoxHidden = 0,
    kBoxSystem,
    kBoxDotFile,
    kBoxReadOnly,
    kBoxCurrentDir,  // "."
    kBoxParentDir,   // ".."
    kDispFileBoxCount,
};
using DispFileBoxes = std::array<bool, kDispFileBoxCount>;

[[nodiscard]] DispFileBoxes BoxesFromGroup(uint32_t group) noexcept;
[[nodiscard]] uint32_t GroupFromBoxes(const DispFileBoxes& boxes) noexcept;

class DispFileSettingForm {
  public:
    static constexpr int kCurrent = 0;  // selector position of "現在値"; 1-5 are the groups

    DispFileSettingForm(uint32_t current, const std::array<uint32_t, 5>& groups);

    [[nodiscard]] DispFileBoxes& Boxes() noexcept { return m_boxes; }
    [[nodiscard]] const DispFileBoxes& Boxes() const noexcept { return m_boxes; }
    [[nodiscard]] int Selected() const noexcept { return m_selected; }
    // Shows the selected set in the boxes.  The edited current values survive
    // a look at a group; unstored edits of a group do not.
    void Select(int position);
    // The boxes into the selected group; false (nothing stored) while the
    // current values are selected.
    bool Store();

    [[nodiscard]] const std::array<uint32_t, 5>& Groups() const noexcept { return m_groups; }
    // What OK applies: the boxes as they stand.
    [[nodiscard]] uint32_t Result() const noexcept { return GroupFromBoxes(m_boxes); }

  private:
    std::array<uint32_t, 5> m_groups;
    uint32_t m_current;
    DispFileBoxes m_boxes{};
    int m_selected = kCurrent;
};

}  // namespace zq
