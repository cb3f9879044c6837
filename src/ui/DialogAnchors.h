#pragma once
// Controls that follow a resizable dialog's size: each edge of a control is
// either fixed to the dialog's top-left or moves with its right or bottom.
#include <windows.h>

#include <vector>

namespace zq::ui {

enum AnchorEdges : unsigned {
    kAnchorLeftRight = 1,  // the left edge moves with the width
    kAnchorRight = 2,      // the right edge moves with the width
    kAnchorTopBottom = 4,  // the top edge moves with the height
    kAnchorBottom = 8,     // the bottom edge moves with the height
    kAnchorMoveX = kAnchorLeftRight | kAnchorRight,
    kAnchorMoveY = kAnchorTopBottom | kAnchorBottom,
};

class DialogAnchors {
  public:
    // Records the control's place in the dialog's present size.
    void Add(HWND dialog, int id, unsigned edges);
    // After WM_SIZE: every recorded control follows the new client size.
    void Follow(HWND dialog) const;

  private:
    struct Item {
        int id;
        unsigned edges;
        RECT rect;  // in the client size below
    };
    SIZE m_client{};
    std::vector<Item> m_items;
};

}  // namespace zq::ui
