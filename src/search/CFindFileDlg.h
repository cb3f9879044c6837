#pragma once
// "ファイル検索": the criteria, their histories and the five character codes;
// "検索" runs the search while the dialog shows its progress, "停止" stops it.
// In the list form (@Findfile) the results fill the dialog's own sortable
// list and the dialog stays open as their window; "ファイルの場所へ" takes the
// Filer to a result, and the dialog then closes when "ダイアログを閉じる" is on.
// In the pane form (@FindFileInWindow) the results go to the shared store that
// a pane lists; the dialog closes at the end when "ダイアログを閉じる" is on and
// nothing was unreadable.  DoModal() answers IDOK when a pane form search ran
// (its results are to be shown).
#include <functional>
#include <memory>
#include <string>

#include "filer/FileConditions.h"
#include "search/CFindThread.h"
#include "search/FindRequest.h"
#include "search/FindResultOrder.h"
#include "search/SearchResults.h"
#include "ui/CDialog.h"
#include "ui/DialogAnchors.h"

namespace zq {

struct Settings;

class CFindFileDlg final : public ui::CDialog {
  public:
    // The Filer shows `directory` with the cursor on `name`.
    using Locate = std::function<void(const std::wstring& directory, const std::wstring& name)>;
    // `conditions` is the additional-condition record, kept by the caller between searches.
    // Without `locate` the dialog has the pane form, with it the list form.
    CFindFileDlg(HWND parent, Settings& settings, std::wstring paneDirectory, FileConditions& conditions,
                 Locate locate = {}, SearchResults& results = SearchResults::Shared());
    ~CFindFileDlg() override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void EnableCriteria(bool enable);
    void ShowProgress();
    void Finished();
    void StoreSettings();
    [[nodiscard]] bool ListForm() const { return static_cast<bool>(m_locate); }
    void SetUpList();
    void TakeNewResults();
    void ShowRows();
    void LocateSelected();
    bool OnListNotify(const NMHDR& header, LRESULT& result);

    Settings& m_settings;
    std::wstring m_paneDirectory;
    FileConditions& m_conditions;
    Locate m_locate;
    SearchResults m_ownResults{L"hZqFindMutex"};  // the list form's, apart from what a pane lists
    SearchResults& m_results;
    FindResultView m_view;
    std::wstring m_cellText;  // the list asks for one cell's text at a time
    ui::DialogAnchors m_anchors;
    FindProgress m_progress;
    std::unique_ptr<CFindThread> m_thread;
    bool m_searched = false;
};

}  // namespace zq
