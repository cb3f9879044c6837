#include "commands/CViewKeyConfigDlg.h"

#include "resource.h"

namespace zq {

namespace {

const wchar_t* const kKeyConfigCommands[kModeGroupCount] = {L"@Filerkey", L"@Viewerkey", L"@Graphickey", L"@Binarykey"};

}  // namespace

std::wstring KeyConfigCaption(ModeGroup group) {
    const StructCommand* command = FindCommand(group, kKeyConfigCommands[static_cast<int>(group)]);
    return command ? command->description : L"";
}

CViewKeyConfigDlg::CViewKeyConfigDlg(KeyAssignments& keys, ModeGroup group, HWND parent)
    : CKeyConfigBase(IDD_VIEWKEYCONFIG, keys, group, parent) {}

bool CViewKeyConfigDlg::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, KeyConfigCaption(Editor().Group()).c_str());
    return CKeyConfigBase::OnInitDialog();
}

}  // namespace zq
