#pragma once
// The key-configuration dialog of the Viewer, Graphic and BinaryEditor modes
// (@Viewerkey, @Graphickey, @Binarykey): a key gets one of the mode's
// commands, or nothing ("なにもしない").
//
//   CViewKeyConfigDlg dlg(liveKeys, ModeGroup::Graphic, viewHwnd);
//   if (dlg.DoModal() == IDOK) ...liveKeys holds the new Graphic keys...
#include "commands/CKeyConfigBase.h"

namespace zq {

class CViewKeyConfigDlg : public CKeyConfigBase {
  public:
    // group: Viewer, Graphic or BinaryEditor.
    CViewKeyConfigDlg(KeyAssignments& keys, ModeGroup group, HWND parent);

  protected:
    bool OnInitDialog() override;
};

// The dialog's caption for a mode: the description of the mode's
// key-configuration command ("ビューアーキー設定" ...).
[[nodiscard]] std::wstring KeyConfigCaption(ModeGroup group);

}  // namespace zq
