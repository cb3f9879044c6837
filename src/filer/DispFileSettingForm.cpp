#include "filer/DispFileSettingForm.h"

namespace zq {

namespace {

// Group bit per box, and whether the stored bit means "hide".
struct BoxBit {
    uint32_t bit;
    bool hides;
};
constexpr BoxBit kBoxBits[kDispFileBoxCount] = {
    {0x01, false}, {0x02, false}, {0x04, false}, {0x08, false}, {0x10, true}, {0x20, true},
};

}  // namespace

DispFileBoxes BoxesFromGroup(uint32_t group) noexcept {
    DispFileBoxes boxes{};
    for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = ((group & kBoxBits[i].bit) != 0) != kBoxBits[i].hides;
    return boxes;
}

uint32_t GroupFromBoxes(const DispFileBoxes& boxes) noexcept {
    uint32_t group = 0;
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i] != kBoxBits[i].hides) group |= kBoxBits[i].bit;
    return group;
}

DispFileSettingForm::DispFileSettingForm(uint32_t current, const std::array<uint32_t, 5>& groups)
    : m_groups(groups), m_current(current), m_boxes(BoxesFromGroup(current)) {}

void DispFileSettingForm::Select(int position) {
    if (position < kCurrent || position > static_cast<int>(m_groups.size()) || position == m_selected) return;
    if (m_selected == kCurrent) m_current = GroupFromBoxes(m_boxes);
    m_selected = position;
    m_boxes = BoxesFromGroup(position == kCurrent ? m_current : m_groups[static_cast<size_t>(position - 1)]);
}

bool DispFileSettingForm::Store() {
    if (m_selected == kCurrent) return false;
    m_groups[static_cast<size_t>(m_selected - 1)] = GroupFromBoxes(m_boxes);
    return true;
}

}  // namespace zq
