#pragma once
// "名前の変更".  Modes 0 (all marked entries, one pattern) and 1 (one entry
// of a series) rename files in a directory by a pattern and show the new
// names beside the old ones before anything is renamed; mode 2 only asks for
// a new name for a file that the copy engine is about to write under another
// name, refusing a name that exists in the destination directory.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fileops/RenameGenerator.h"
#include "ui/CDialog.h"

namespace zq::fileops {

// What the batch dialog keeps between openings.
struct RenameBatchSettings {
    RenameOptions options;
    unsigned caseConversion = 0;        // 0 none, 1 upper, 2 lower
    bool moveCursor = false;            // "カーソルを変更後のファイルに合わせる"
    std::vector<std::wstring> history;  // newest first
    bool selectStem = false;            // SELECT_FILE_NAME_AT_RENAME: one name, the part before its extension
    bool saveWidths = false;            // "半角/全角変換設定保存"
};

class CRenameThread;

class CRenameDlg : public ui::CDialog {
  public:
    static constexpr unsigned kModeBatch = 0;
    static constexpr unsigned kModeOneByOne = 1;
    static constexpr unsigned kModeSingleName = 2;

    CRenameDlg(HWND parent, const WIN32_FIND_DATAW& source, std::wstring destinationDirectory);
    CRenameDlg(HWND parent, unsigned mode, std::wstring directory, std::vector<std::wstring> names,
               RenameBatchSettings& settings);
    ~CRenameDlg() override;
    [[nodiscard]] const std::wstring& NewName() const noexcept { return m_newName; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;

  private:
    void ReadOptions();
    void ShowPreview();
    // Makes the plan, asking about each name that cannot be made, and starts
    // the worker; false when the user cancelled on the way.
    bool StartBatch();
    void WorkerEnded(bool finished);
    void ShowProgress();
    [[nodiscard]] bool AskContinue() const;

    unsigned m_mode = kModeSingleName;
    WIN32_FIND_DATAW m_source{};
    std::wstring m_destinationDirectory;
    std::vector<std::wstring> m_names;
    RenameBatchSettings* m_settings = nullptr;
    std::wstring m_newName;
    std::unique_ptr<CRenameThread> m_worker;
};

}  // namespace zq::fileops
