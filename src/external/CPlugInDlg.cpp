#include "external/CPlugInDlg.h"

#include <commctrl.h>

#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zq {
namespace {

struct Column {
    const wchar_t* title;
    int width;
};
constexpr Column kColumns[] = {
    {L"機能名", 150}, {L"ファイル名", 100}, {L"MENU", 50}, {L"バージョン", 80}, {L"PluginType", 100}};

}  // namespace

std::vector<std::wstring> PluginListCells(const StructZqPlugin& plugin) {
    return {plugin.viewKey, plugin.name, plugin.viewMenu != 0 ? L"表示" : L"非表示",
            FormatPluginVersion(plugin.version), plugin.type};
}

CPlugInDlg::CPlugInDlg(HWND parent, std::vector<StructZqPlugin> plugins, std::wstring directory, bool loadList)
    : ui::CDialog(IDD_PLUGIN_SETTINGS, parent),
      m_plugins(std::move(plugins)),
      m_directory(std::move(directory)),
      m_loadList(loadList) {}

bool CPlugInDlg::OnInitDialog() {
    HWND list = GetDlgItem(IDC_PLUGIN_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(kColumns[c].title);
        column.cx = kColumns[c].width;
        ListView_InsertColumn(list, c, &column);
    }
    for (int row = 0; row < static_cast<int>(m_plugins.size()); ++row) {
        std::vector<std::wstring> cells = PluginListCells(m_plugins[static_cast<size_t>(row)]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = cells[0].data();
        ListView_InsertItem(list, &item);
        for (int c = 1; c < static_cast<int>(cells.size()); ++c)
            ListView_SetItemText(list, row, c, cells[static_cast<size_t>(c)].data());
    }
    return ui::CDialog::OnInitDialog();
}

bool CPlugInDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_PLUGIN_BROWSE && code == BN_CLICKED) {
        const std::optional<std::wstring> folder =
            ui::ChooseFolder(m_hWnd, L"プラグインのディレクトリ", GetDlgItemText(IDC_PLUGIN_DIRECTORY));
        if (folder) SetDlgItemText(IDC_PLUGIN_DIRECTORY, *folder);
        return true;
    }
    return ui::CDialog::OnCommand(id, code, control);
}

void CPlugInDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_PLUGIN_DIRECTORY, m_directory, 520);
    dx.Check(IDC_PLUGIN_LOADTYPE, m_loadList);
}

}  // namespace zq
