#pragma once
// "画像表示の設定": the Susie directory and the plug-in lists, the fast loading
// mode, the Graphic mode's placement and fitting flags and the thumbnail values.
// Everything is edited on the model; the caller applies it only after OK.
#include <functional>
#include <string>
#include <vector>

#include "picture/SusieSettingsModel.h"
#include "ui/CDialog.h"

namespace zq {

class CDefSusieDlg final : public ui::CDialog {
  public:
    // Reads the plug-ins of a directory afresh (the "再読み込み" button).
    using Rescanner = std::function<std::vector<StructSusieDllFile>(const std::wstring& directory)>;
    // The directory a plug-in's file lies in, for its own settings dialog.
    using PluginDirectory = std::function<std::wstring(const std::wstring& typedDirectory)>;

    CDefSusieDlg(HWND parent, SusieSettingsModel& model, Rescanner rescan, PluginDirectory directoryOf);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    void FillLists();
    void TakeChecks();
    // The array index of the plug-in selected in a list, or -1.
    [[nodiscard]] int SelectedPlugin(int listId) const;
    void EditPatterns(int listId);
    void Configure(int listId);

    SusieSettingsModel& m_model;
    Rescanner m_rescan;
    PluginDirectory m_directoryOf;
    std::vector<SusiePluginLine> m_imageLines;
    std::vector<SusiePluginLine> m_archiveLines;
};

// The patterns of one plug-in, ten at a time.
class CAttachpluginDlg final : public ui::CDialog {
  public:
    CAttachpluginDlg(HWND parent, std::wstring fileName, std::vector<std::wstring>& patterns);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    void ShowPage();
    void StorePage();

    std::wstring m_fileName;
    std::vector<std::wstring>& m_patterns;
    PatternPager m_pager;
};

}  // namespace zq
