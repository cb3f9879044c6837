#pragma once
// "ファイル検索": the criteria, their histories and the five character codes;
// "検索" runs the search into the shared results while the dialog shows its
// progress, "停止" stops it.  What could not be read is listed in the dialog,
// which then stays open; otherwise it closes at the end when "ダイアログを閉じる"
// is on.  DoModal() answers IDOK when a search ran (its results are to be shown).
#include <memory>
#include <string>

#include "filer/FileConditions.h"
#include "search/CFindThread.h"
#include "search/FindRequest.h"
#include "search/SearchResults.h"
#include "ui/CDialog.h"

namespace zq {

struct Settings;

class CFindFileDlg final : public ui::CDialog {
  public:
    // `conditions` is the additional-condition record, kept by the caller between searches.
    CFindFileDlg(HWND parent, Settings& settings, std::wstring paneDirectory, FileConditions& conditions,
                 SearchResults& results = SearchResults::Shared());
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

    Settings& m_settings;
    std::wstring m_paneDirectory;
    FileConditions& m_conditions;
    SearchResults& m_results;
    FindProgress m_progress;
    std::unique_ptr<CFindThread> m_thread;
    bool m_searched = false;
};

}  // namespace zq
