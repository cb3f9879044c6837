// The BinaryEditor's search, replace and comparison: the dialogs start them,
// each step runs on a worker behind a progress dialog when the file is big,
// and a match is shown selected with the cursor on its first nibble.
#include <atomic>
#include <thread>

#include "binedit/BinaryEditorContent.h"
#include "binedit/BinaryMessages.h"
#include "binedit/BinaryReplace.h"
#include "commands/CommandRegistry.h"
#include "resource.h"
#include "ui/CDialog.h"

namespace zq {

using binedit::CBinaryData;
using binedit::SearchResult;
using binedit::SearchStatus;

namespace {

// Below this size a step ends before a progress dialog could even be seen.
constexpr std::int64_t kWorkerBytes = 4 * 1024 * 1024;
constexpr WORD kWorkEnded = 3001;

// Runs the work on a worker thread while it shows; Cancel raises the flag the
// work looks at, and the dialog ends when the work has ended.
class CBinaryProgressDlg : public ui::CDialog {
  public:
    CBinaryProgressDlg(HWND parent, std::function<void(const std::atomic<bool>*)> work)
        : ui::CDialog(IDD_BINARY_PROGRESS, parent), m_work(std::move(work)) {}
    ~CBinaryProgressDlg() override {
        m_cancel = true;
        if (m_thread.joinable()) m_thread.join();
    }

  protected:
    bool OnInitDialog() override {
        ui::CDialog::OnInitDialog();
        HWND self = m_hWnd;
        m_thread = std::thread([this, self] {
            m_work(&m_cancel);
            ::PostMessageW(self, WM_COMMAND, kWorkEnded, 0);
        });
        return true;
    }
    bool OnCommand(WORD id, WORD code, HWND control) override {
        if (id != kWorkEnded) return ui::CDialog::OnCommand(id, code, control);
        m_thread.join();
        EndDialog(IDOK);
        return true;
    }
    void OnCancel() override { m_cancel = true; }

  private:
    std::function<void(const std::atomic<bool>*)> m_work;
    std::atomic<bool> m_cancel{false};
    std::thread m_thread;
};

}  // namespace

void BinaryEditorContent::RegisterSearchCommands() {
    namespace b = cmd::binary_editor;
    Add(b::Searchdata, [this](int pane) { StartSearch(pane); });
    Add(b::Cmpbinaryfile, [this](int pane) { StartComparison(pane); });
    Add(b::Nextsearch, [this](int pane) { SearchAgain(pane, false); });
    Add(b::Beforesearch, [this](int pane) { SearchAgain(pane, true); });
}

template <typename Result>
Result BinaryEditorContent::RunWork(int pane, const std::function<Result(const std::atomic<bool>*)>& work) {
    StopAutoScroll();
    if (Data(pane).Size() < kWorkerBytes) return work(nullptr);
    Result result{};
    // The data is the worker's until it ends: nothing paints from it meanwhile.
    m_busy = true;
    {
        SuspendScope suspended(m_context);
        CBinaryProgressDlg dialog(m_context.view, [&](const std::atomic<bool>* cancel) { result = work(cancel); });
        (void)dialog.DoModal();
    }
    m_busy = false;
    return result;
}

SearchResult BinaryEditorContent::RunStep(int pane, bool reverse) {
    CBinaryData& data = Data(pane);
    return RunWork<SearchResult>(
        pane, [&data, reverse](const std::atomic<bool>* cancel) { return data.Search().Step(data, reverse, cancel); });
}

void BinaryEditorContent::ShowMatch(int pane, const SearchResult& result) {
    CBinaryData& data = Data(pane);
    if (result.status == SearchStatus::NotFound) {
        ShowError(binedit::message::kSearchFinished);
    } else if (result.status == SearchStatus::Found) {
        data.SetCursor(result.offset * 2);
        const auto length = static_cast<std::int64_t>(data.Search().MatchLength());
        data.SelectBytes(result.offset, result.offset + std::max<std::int64_t>(length, 1) - 1);
    }
    AfterMove(pane);
}

void BinaryEditorContent::SearchAgain(int pane, bool reverse) {
    if (!Data(pane).Search().Started()) return;
    ShowMatch(pane, RunStep(pane, reverse));
}

void BinaryEditorContent::StartSearch(int pane) {
    StopAutoScroll();
    binedit::CBinarySearchDlg dialog(m_context.view, false, m_choices);
    {
        SuspendScope suspended(m_context);
        if (dialog.DoModal() != IDOK) return;
    }
    CBinaryData& data = Data(pane);
    if (!data.Search().StartSearch(m_choices.searchType, m_choices.searchSigned, dialog.search,
                                   m_choices.fromStart ? 0 : data.CursorByte(), m_choices.direction)) {
        ShowError(binedit::message::kSearchInvalid);
        return;
    }
    SearchAgain(pane, false);
}

void BinaryEditorContent::StartComparison(int pane) {
    StopAutoScroll();
    CBinaryData& data = Data(pane);
    binedit::CBinaryCompareDlg dialog(m_context.view, data.Path(), m_choices);
    {
        SuspendScope suspended(m_context);
        if (dialog.DoModal() != IDOK) return;
    }
    const binedit::CompareStart started =
        data.Search().StartComparison(m_choices.compare, m_choices.fromStart ? 0 : data.CursorByte());
    if (const wchar_t* message = binedit::CompareStartMessage(started)) {
        ShowError(message);
        return;
    }
    SearchAgain(pane, false);
}

void BinaryEditorContent::ReplaceData(int pane) {
    StopAutoScroll();
    binedit::CBinarySearchDlg dialog(m_context.view, true, m_choices);
    {
        SuspendScope suspended(m_context);
        if (dialog.DoModal() != IDOK) return;
    }
    CBinaryData& data = Data(pane);
    binedit::BinaryReplace replace;
    const binedit::ReplaceStart started =
        replace.Start(data, m_choices.searchType, m_choices.searchSigned, dialog.search, dialog.replacement,
                      m_choices.fromStart, m_choices.direction);
    if (started == binedit::ReplaceStart::SearchInvalid) {
        ShowError(binedit::message::kSearchInvalid);
        return;
    }
    if (started == binedit::ReplaceStart::ReplaceInvalid) {
        ShowError(binedit::message::kReplaceInvalid);
        return;
    }
    bool all = false;
    for (;;) {
        const bool found = RunWork<bool>(
            pane, [&data, &replace](const std::atomic<bool>* cancel) { return replace.Next(data, cancel); });
        if (!found) {
            if (!replace.Cancelled()) ShowError(binedit::message::Converted(replace.Count()));
            AfterMove(pane);
            return;
        }
        data.KeepCursorVisible(DataRows(pane));
        if (!all) {
            Redraw(pane);
            ::UpdateWindow(m_context.view);
            binedit::CBinaryConvertAskDlg ask(m_context.view);
            INT_PTR answer = 0;
            {
                SuspendScope suspended(m_context);
                answer = ask.DoModal();
            }
            if (answer == binedit::CBinaryConvertAskDlg::kStop) {
                AfterMove(pane);
                return;
            }
            if (answer == IDNO) continue;
            all = answer == binedit::CBinaryConvertAskDlg::kAll;
        }
        replace.ReplaceMatch(data);
    }
}

}  // namespace zq
