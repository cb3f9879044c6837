#include "filer/ViewFilerPlugins.h"

#include <lmcons.h>

#include <algorithm>

#include "commands/CommandRegistry.h"
#include "commands/MenuCommandText.h"
#include "commands/PaneModes.h"
#include "external/CPlugInDlg.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "resource.h"
#include "settings/Settings.h"

namespace zq {
namespace {

std::wstring WindowsUserName() {
    wchar_t name[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    return ::GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

}  // namespace

void FillPluginPane(const FilerPane& pane, uint32_t modeWord, PluginPaneCopy& copy) {
    copy = PluginPaneCopy{};
    copy.info.Mode = modeWord;
    if (pane.Kind() == kKindDriveList) {
        // The drive list has no entry tables to speak of: the plug-in gets the line under the cursor.
        const FileEntry* cursor = pane.CursorEntry();
        copy.directory = cursor ? cursor->cFileName : L"";
    } else {
        copy.directory = pane.Path();
        const int count = pane.Count();
        copy.entries.reserve(static_cast<size_t>(count));
        for (int index = 0; index < count; ++index) copy.entries.push_back(pane.Entry(index));
        copy.marks.assign(static_cast<size_t>(count), 0);
        copy.order.reserve(static_cast<size_t>(count));
        for (int position = 0; position < count; ++position) {
            const int index = pane.EntryIndexAt(position);
            copy.order.push_back(index);
            if (pane.IsMarkedAt(position)) copy.marks[static_cast<size_t>(index)] = 1;
        }
        copy.info.EntryCount = count;
        copy.info.MarkedCount = pane.MarkedCount();
        copy.info.SpecialCount = pane.SpecialCount();
        copy.info.Entries = copy.entries.empty() ? nullptr : copy.entries.data();
        copy.info.Marks = copy.marks.empty() ? nullptr : copy.marks.data();
        copy.info.Order = copy.order.empty() ? nullptr : copy.order.data();
    }
    copy.info.Directory = copy.directory.c_str();
}

namespace {

std::vector<StructZqPlugin> StoredPlugins(const Settings& settings) {
    std::vector<StructZqPlugin> list;
    list.reserve(settings.plugins.size());
    for (const Settings::Plugin& p : settings.plugins)
        list.push_back({p.name, p.version, p.type, p.viewKey, p.keyStr, p.viewMenu});
    return list;
}

}  // namespace

std::vector<StructZqPlugin> PluginList(const Settings& settings) {
    // Switched off, the list stays on file but no key or menu item reaches it.
    if (settings.ZQPLUGINLOADTYPE == 0) return {};
    return StoredPlugins(settings);
}

std::wstring PluginDirectory(const Settings& settings, const std::wstring& programDir) {
    return settings.pluginDir.empty() ? programDir : settings.pluginDir;
}

ViewFilerPlugins::ViewFilerPlugins(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {
    filer.SetPluginRunner([this](std::wstring_view text) { return RunPluginCommand(text); });
}

void ViewFilerPlugins::RegisterCommands() {
    CommandRegistry& registry = *m_context.registry;
    registry.RegisterMenu(IDM_PLUGIN_SETTINGS, [this](const CommandCall&) { EditPlugins(); });
    for (int row = 0; row < static_cast<int>(Settings{}.newFileKinds.size()); ++row) {
        const CommandId id{ModeGroup::Filer, static_cast<std::uint16_t>(command_index::filer::Makenewfile01 + row)};
        registry.Register(id, [this, row](const CommandCall&) { MakeNewFile(row); });
    }
    registry.Register(cmd::filer::Makenewfilelist, [this](const CommandCall&) { ChooseNewFile(); });
}

bool ViewFilerPlugins::RunPluginCommand(std::wstring_view text) {
    const Settings& settings = *m_context.settings;
    const std::vector<StructZqPlugin> plugins = PluginList(settings);
    const std::optional<std::size_t> found = FindPluginRecord(plugins, text);
    if (!found) return false;
    const PaneModes& modes = *m_context.modes;
    if (!modes.Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kDirectory | pane_mode::kDriveList))
        return true;
    const SuspendScope suspended(m_context);
    const int focused = m_filer.ActivePane();
    PluginPaneCopy panes[2];
    for (int side = 0; side < 2; ++side) {
        const int index = side == 0 ? focused : focused ^ 1;
        const StructPaneMode& mode = modes.Get(index);
        FillPluginPane(m_filer.Pane(index), mode.state | mode.mode, panes[side]);
    }
    PluginCall call;
    call.mainWindow = m_context.frame;
    call.programDirectory = m_context.programDir;
    call.userName = WindowsUserName();
    call.keyText = plugins[*found].keyStr;
    call.focused = &panes[0].info;
    call.other = &panes[1].info;
    // A missing library or entry point, and a plug-in that crashed, end the
    // command quietly: the guard has already contained the crash.
    const PluginCallResult result =
        CallPlugin(PluginPath(PluginDirectory(settings, m_context.programDir), plugins[*found].name), call);
    if (result == PluginCallResult::Changed) {
        m_filer.Refresh();
        ::InvalidateRect(m_context.view, nullptr, FALSE);
    }
    return true;
}

void ViewFilerPlugins::RunMenuItem(std::size_t index) {
    const std::vector<std::wstring> texts = MenuTexts();
    if (index < texts.size()) (void)RunPluginCommand(texts[index]);
}

std::size_t ViewFilerPlugins::MenuRangeCount() const {
    return std::min(PluginList(*m_context.settings).size(), kMaxMenuPlugins);
}

std::vector<std::wstring> ViewFilerPlugins::MenuTexts() const {
    std::vector<std::wstring> texts;
    for (const StructZqPlugin& p : PluginList(*m_context.settings))
        texts.push_back(PluginCommandText(p.keyStr, p.name));
    return texts;
}

void ViewFilerPlugins::InsertMenuItems(HMENU bar) const {
    const std::vector<PluginMenuItem> items = PluginMenuItems(PluginList(*m_context.settings));
    if (items.empty()) return;
    // By command: the settings item lies inside a popup, wherever the bar has it.
    for (const PluginMenuItem& item : items) {
        ::InsertMenuW(bar, IDM_PLUGIN_SETTINGS, MF_BYCOMMAND | MF_STRING,
                      kPluginMenuFirst + static_cast<UINT>(item.index), item.label.c_str());
    }
    ::InsertMenuW(bar, IDM_PLUGIN_SETTINGS, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

void ViewFilerPlugins::EditPlugins() {
    Settings& settings = *m_context.settings;
    INT_PTR result = IDCANCEL;
    std::wstring directory;
    bool loadList = false;
    {
        const SuspendScope suspended(m_context);
        CPlugInDlg dialog(m_context.frame, StoredPlugins(settings), settings.pluginDir, settings.ZQPLUGINLOADTYPE != 0);
        result = dialog.DoModal();
        directory = dialog.Directory();
        loadList = dialog.LoadList();
    }
    if (result != IDOK) return;
    settings.pluginDir = directory;
    settings.ZQPLUGINLOADTYPE = loadList ? 1 : 0;
    if (m_rebuildMenu) m_rebuildMenu();
}

}  // namespace zq
