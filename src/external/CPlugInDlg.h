#pragma once
// "プラグインの設定": the listed plug-ins, the plug-in directory with a folder
// browser, and whether the list is read at start.
//
//     CPlugInDlg dialog(owner, plugins, directory, loadList);
//     if (dialog.DoModal() == IDOK) store(dialog.Directory(), dialog.LoadList());
#include <string>
#include <vector>

#include "external/PluginHost.h"
#include "ui/CDialog.h"

namespace zq {

class CPlugInDlg final : public ui::CDialog {
  public:
    CPlugInDlg(HWND parent, std::vector<StructZqPlugin> plugins, std::wstring directory, bool loadList);

    [[nodiscard]] const std::wstring& Directory() const noexcept { return m_directory; }
    [[nodiscard]] bool LoadList() const noexcept { return m_loadList; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    std::vector<StructZqPlugin> m_plugins;
    std::wstring m_directory;
    bool m_loadList;
};

// The five cells of a plug-in's line: function name, file name, "表示" or
// "非表示", the version "%d.%02d" and the type.
[[nodiscard]] std::vector<std::wstring> PluginListCells(const StructZqPlugin& plugin);

}  // namespace zq
