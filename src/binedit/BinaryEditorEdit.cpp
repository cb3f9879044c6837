// The BinaryEditor's data commands: the internal copy and paste, the
// clipboard dump, the data input, the range selection, the row jump, the
// replace and the changed-position output.
#include <algorithm>

#include "binedit/BinaryClipText.h"
#include "binedit/BinaryEditorContent.h"
#include "binedit/BinaryMessages.h"
#include "commands/CommandRegistry.h"
#include "ui/CMessageBoxDlg.h"
#include "ui/Clipboard.h"
#include "ui/CommonDialogs.h"

namespace zq {

using binedit::CBinaryData;

void BinaryEditorContent::RegisterEditCommands() {
    namespace b = cmd::binary_editor;
    Add(b::Copydata, [this](int pane) { CopyData(pane); });
    Add(b::Pastedata, [this](int pane) { PasteData(pane); });
    Add(b::Clipcopy, [this](int pane) { CopyToClipboard(pane); });
    Add(b::Changedposout, [this](int pane) { WriteChangedPositions(pane); });
}

void BinaryEditorContent::CopyData(int pane) {
    CBinaryData& data = Data(pane);
    std::int64_t first = 0, last = 0;
    if (!data.SelectedBytes(first, last)) return;
    std::string copy(static_cast<size_t>(last - first), '\0');
    const std::size_t got = data.ReadBytes(first, copy.size(), reinterpret_cast<std::uint8_t*>(copy.data()));
    copy.resize(got);
    m_copyBuffer = std::move(copy);
    data.ClearSelection();
    Redraw(pane);
}

void BinaryEditorContent::PasteData(int pane) {
    if (m_copyBuffer.empty()) return;
    CBinaryData& data = Data(pane);
    const std::int64_t written =
        data.WriteRun(data.CursorByte(), reinterpret_cast<const std::uint8_t*>(m_copyBuffer.data()),
                      m_copyBuffer.size(), data.Size());
    data.MoveCursor(written * 2);
    AfterMove(pane);
}

void BinaryEditorContent::CopyToClipboard(int pane) {
    CBinaryData& data = Data(pane);
    std::int64_t first = 0, last = 0;
    if (!data.SelectedBytes(first, last)) return;
    if (last - first > binedit::kClipConfirmBytes) {
        SuspendScope suspended(m_context);
        if (ui::ZqMessageBox(m_context.view, binedit::message::UseMemory(last - first), binedit::message::kConfirmTitle,
                             MB_OKCANCEL) != IDOK)
            return;
    }
    const std::wstring text = binedit::ClipboardHexText(data, first, last);
    if (!ui::SetClipboardText(m_context.view, text)) ShowError(binedit::message::kAllocFailed);
}

void BinaryEditorContent::WriteChangedPositions(int pane) {
    std::optional<std::wstring> chosen;
    {
        SuspendScope suspended(m_context);
        chosen = ui::ChooseSaveFile(m_context.view, L"", L"全てのファイル\0*.*\0\0");
    }
    if (!chosen) return;
    if (!Data(pane).WriteChangedPositions(*chosen)) ShowError(binedit::message::kChangedPosFailed);
}

}  // namespace zq
