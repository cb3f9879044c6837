#pragma once
// The Filer's plug-ins and its new files from templates.
//
//     ViewFilerPlugins& plugins = view.AddPart(std::make_unique<ViewFilerPlugins>(context, filer));
//     plugins.SetMenuRebuild([&] { view.UpdateMenuBar(true); });
//     keys:  plugins.RunPluginCommand(L"#TOOL,tool.dll");
//     menus: plugins.InsertMenuItems(bar); ... plugins.RunMenuItem(id - 3050);
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "external/PluginHost.h"
#include "filer/FileEntry.h"

namespace zq {

class FilerPane;
class ViewFiler;
struct Settings;

// A pane as a plug-in is handed it, with copies of its tables that live as
// long as this does.
struct PluginPaneCopy {
    std::wstring directory;
    std::vector<WIN32_FIND_DATAW> entries;
    std::vector<uint32_t> marks;
    std::vector<int32_t> order;
    StructZqPaneInfo info{};
};
// modeWord: the pane's state bits combined with its mode bits.
void FillPluginPane(const FilerPane& pane, uint32_t modeWord, PluginPaneCopy& copy);

// The settings' plug-in list in the host's records, and the dialog's choices back.
[[nodiscard]] std::vector<StructZqPlugin> PluginList(const Settings& settings);
// The directory the libraries are loaded from: PLUGINDIR, or the program's folder when it is empty.
[[nodiscard]] std::wstring PluginDirectory(const Settings& settings, const std::wstring& programDir);

class ViewFilerPlugins final : public IViewPart {
  public:
    ViewFilerPlugins(ViewContext& context, ViewFiler& filer);
    ViewFilerPlugins(const ViewFilerPlugins&) = delete;
    ViewFilerPlugins& operator=(const ViewFilerPlugins&) = delete;

    void RegisterCommands() override;
    // The plug-in settings dialog rebuilds the menu bar through this.
    void SetMenuRebuild(std::function<void()> rebuild) { m_rebuildMenu = std::move(rebuild); }

    // A "#key,file" text: false when it names no listed plug-in (then it is
    // not a plug-in command); true when it was one, whether or not it ran.
    bool RunPluginCommand(std::wstring_view text);
    // Menu item 3050 + index.
    void RunMenuItem(std::size_t index);
    // The plug-in items and their separator before item 1832 of a menu bar.
    void InsertMenuItems(HMENU bar) const;
    // How many identifiers from 3050 on stand for a record now.
    [[nodiscard]] std::size_t MenuRangeCount() const;
    // The command text of each record ("P_KEYSTR,P_NAME"), in list order.
    [[nodiscard]] std::vector<std::wstring> MenuTexts() const;

  private:
    void EditPlugins();
    // New files from the MAKENEWFILE rows (ViewFilerPluginsNewFile.cpp).
    void MakeNewFile(int row);
    void ChooseNewFile();

    ViewContext& m_context;
    ViewFiler& m_filer;
    std::function<void()> m_rebuildMenu;
};

}  // namespace zq
