// The BinaryEditor's data commands: the internal copy and paste, the
// clipboard dump, the data input, the range selection, the row jump, the
// replace and the changed-position output.
#include <algorithm>
#include <cstring>

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
    Add(b::Inputpaste, [this](int pane) { InputData(pane, false); });
    Add(b::Inputpasteloop, [this](int pane) { InputData(pane, true); });
    Add(b::Selectrange, [this](int pane) { SelectRange(pane); });
    Add(b::Jumpline, [this](int pane) { JumpRow(pane); });
    Add(b::Changeddata, [this](int pane) { ReplaceData(pane); });
}

void BinaryEditorContent::InputData(int pane, bool repeat) {
    StopAutoScroll();
    binedit::CBinaryInputDlg dialog(m_context.view, repeat, m_choices);
    {
        SuspendScope suspended(m_context);
        if (dialog.DoModal() != IDOK) return;
    }
    std::string bytes;
    if (!binedit::ParseInputData(m_choices.inputType, m_choices.inputSigned, dialog.text, bytes)) {
        ShowError(binedit::message::kInputInvalid);
        return;
    }
    CBinaryData& data = Data(pane);
    const auto* run = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::int64_t from = data.CursorByte();
    if (!repeat) {
        (void)data.WriteRun(from, run, bytes.size(), data.Size());
    } else if (m_choices.repeatMode == 0) {
        const long long count = binedit::ParseDecimalNumber(dialog.repeatValue);
        if (count <= 0) {
            ShowError(binedit::message::kInputInvalid);
            return;
        }
        m_choices.repeatCount = count;
        const std::int64_t length = static_cast<std::int64_t>(bytes.size());
        const std::int64_t end = count > (data.Size() - from) / length + 1 ? data.Size() : from + count * length;
        (void)data.WriteRepeat(from, run, bytes.size(), std::min(end, data.Size()));
    } else if (m_choices.repeatMode == 1) {
        long long end = 0;
        if (!binedit::ParseHexNumber(dialog.repeatValue, end)) {
            ShowError(binedit::message::kInputInvalid);
            return;
        }
        (void)data.WriteRepeat(from, run, bytes.size(), std::min<std::int64_t>(end, data.Size()));
    } else {
        std::int64_t first = 0, last = 0;
        if (!data.SelectedBytes(first, last)) return;
        (void)data.WriteRepeat(first, run, bytes.size(), last);
    }
    Redraw(pane);
}

void BinaryEditorContent::SelectRange(int pane) {
    StopAutoScroll();
    CBinaryData& data = Data(pane);
    binedit::CBinaryRangeDlg dialog(m_context.view, m_choices, data.CursorByte());
    {
        SuspendScope suspended(m_context);
        if (dialog.DoModal() != IDOK) return;
    }
    long long first = 0, last = 0;
    if (!binedit::ParseRangeByte(dialog.start, m_choices.jumpHex, data.Size(), first) ||
        !binedit::ParseRangeByte(dialog.end, m_choices.jumpHex, data.Size(), last)) {
        ShowError(binedit::message::kRangeInvalid);
        return;
    }
    if (first > last) std::swap(first, last);
    data.SelectBytes(first, last);
    Redraw(pane);
}

void BinaryEditorContent::JumpRow(int pane) {
    StopAutoScroll();
    binedit::CBinaryJumpDlg dialog(m_context.view, m_choices);
    {
        SuspendScope suspended(m_context);
        if (dialog.DoModal() != IDOK) return;
    }
    long long row = 0;
    if (m_choices.jumpHex) {
        if (!binedit::ParseHexNumber(dialog.text, row)) {
            ShowError(binedit::message::kRowInvalid);
            return;
        }
    } else {
        row = binedit::ParseDecimalNumber(dialog.text);
    }
    Data(pane).JumpToRow(row, m_choices.jumpRelative);
    AfterMove(pane);
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
    // The block is zeroed and movable, as the clipboard takes it.  One that
    // cannot be had or locked is the memory failure; the clipboard's own
    // failures are told in the words of the shared clipboard helper.
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    void* target = memory ? ::GlobalLock(memory.Get()) : nullptr;
    if (target == nullptr) {
        ShowError(binedit::message::kAllocFailed);
        return;
    }
    std::memcpy(target, text.c_str(), bytes);
    ::GlobalUnlock(memory.Get());
    const ui::ClipboardBlock blocks[] = {{CF_UNICODETEXT, &memory}};
    const ui::ClipboardFailure failure = ui::PutOnClipboard(m_context.view, blocks);
    if (failure != ui::ClipboardFailure::None) ShowError(ui::ClipboardFailureText(failure));
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
