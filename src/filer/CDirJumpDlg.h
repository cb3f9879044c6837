#pragma once
// "ディレクトリジャンプ": the bookmark groups with their bookmarks.  The dialog
// edits a copy of the groups (add, edit, delete, move, groups added, renamed,
// deleted) and hands back the copy and the chosen bookmark.  A key pressed in
// the list picks the bookmarks bound to that key.
#include <array>
#include <string>
#include <vector>

#include "filer/DirJump.h"
#include "ui/CDialog.h"

namespace zq {

struct DirJumpColumns {
    std::array<int, 3> shown{1, 1, 1};  // ORDER_LIST_DIR_JUMP DISPLAY%d
    std::array<int, 3> item{0, 1, 2};   // ITEM%d: 0 key, 1 display text, 2 target
    std::array<int, 3> width{80, 120, 300};
};

class CDirJumpDlg : public ui::CDialog {
  public:
    CDirJumpDlg(HWND parent, std::vector<JumpGroup> groups, DirJumpColumns columns, bool icons);

    [[nodiscard]] const std::vector<JumpGroup>& Groups() const noexcept { return m_groups; }
    [[nodiscard]] bool Icons() const noexcept { return m_icons; }
    // After IDOK: the chosen bookmark's target, and whether "DIR/FILEの場所へ" was pressed.
    [[nodiscard]] const std::wstring& Target() const noexcept { return m_target; }
    [[nodiscard]] bool ToLocation() const noexcept { return m_toLocation; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void FillGroups();
    void FillList(int select);
    [[nodiscard]] int Selected() const;
    void Select(int index);
    void Finish(bool toLocation);
    void EditEntry(bool adding);
    void OnListKey(unsigned virtualKey);
    [[nodiscard]] JumpGroup& Group() { return m_groups[static_cast<size_t>(m_group)]; }

    std::vector<JumpGroup> m_groups;
    DirJumpColumns m_columns;
    bool m_icons;
    int m_group = 0;
    std::wstring m_target;
    bool m_toLocation = false;
};

}  // namespace zq
