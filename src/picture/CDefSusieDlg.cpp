#include "picture/CDefSusieDlg.h"

#include <commctrl.h>

#include "picture/SusiePluginHost.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"
#include "ui/CommonDialogs.h"

namespace zq {

namespace {

void FillCheckList(HWND list, const std::vector<SusiePluginLine>& lines, const std::vector<StructSusieDllFile>& all) {
    ListView_DeleteAllItems(list);
    for (size_t i = 0; i < lines.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(lines[i].text.c_str());
        const int row = ListView_InsertItem(list, &item);
        ListView_SetCheckState(list, row, all[lines[i].index].enabled != 0);
    }
    if (!lines.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void PrepareCheckList(HWND list) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT client{};
    ::GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    // Wide enough for long pattern lists; the list scrolls sideways.
    column.cx = 2 * (client.right - client.left);
    ListView_InsertColumn(list, 0, &column);
}

}  // namespace

CDefSusieDlg::CDefSusieDlg(HWND parent, SusieSettingsModel& model, Rescanner rescan, PluginDirectory directoryOf)
    : ui::CDialog(IDD_DEF_SUSIE, parent),
      m_model(model),
      m_rescan(std::move(rescan)),
      m_directoryOf(std::move(directoryOf)) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

bool CDefSusieDlg::OnInitDialog() {
    PrepareCheckList(GetDlgItem(IDC_SUSIE_IMAGE_LIST));
    PrepareCheckList(GetDlgItem(IDC_SUSIE_ARCHIVE_LIST));
    for (const wchar_t* choice :
         {L"ファイラーと同じ", L"ファイラーと同じ(自動ファイル名幅は無効)", L"画像に合わせる", L"指定幅"})
        ::SendDlgItemMessageW(m_hWnd, IDC_SUSIE_PREVIEW_CELL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    UpdateData(false);
    FillLists();
    return true;
}

void CDefSusieDlg::DoDataExchange(ui::DataExchange& dx) {
    SusieSettingsValues& v = m_model.Values();
    dx.Text(IDC_SUSIE_DIR, v.susieDirectory, 520);
    dx.Text(IDC_SUSIE_TEMP_DIR, v.tempDirectory, 520);
    dx.Radio(IDC_SUSIE_HIGHLOAD0, IDC_SUSIE_HIGHLOAD2, v.highLoad);
    dx.Radio(IDC_SUSIE_HPOS0, IDC_SUSIE_HPOS2, v.hPos);
    dx.Radio(IDC_SUSIE_VPOS0, IDC_SUSIE_VPOS2, v.vPos);
    dx.Check(IDC_SUSIE_SCALE_WIDTH, v.scaleWidth);
    dx.Check(IDC_SUSIE_SCALE_HEIGHT, v.scaleHeight);
    dx.Check(IDC_SUSIE_BEFORE_FULL, v.beforeFullScreen);
    dx.Check(IDC_SUSIE_SORT_NAME, v.sortNameInDir);
    dx.Check(IDC_SUSIE_KEEP_WINDOW, v.keepWindowSize);
    dx.Check(IDC_SUSIE_DEL_TEMP, v.deleteTemp);
    dx.Int(IDC_SUSIE_PREVIEW_WIDTH, v.previewWidth, 16, 1024);
    dx.Int(IDC_SUSIE_PREVIEW_HEIGHT, v.previewHeight, 16, 1024);
    dx.Int(IDC_SUSIE_PREVIEW_MAX, v.maxPreviewFiles, 1, 1000000);
    dx.Int(IDC_SUSIE_PREVIEW_SLEEP, v.previewSleep, 0, 60000);
    dx.Check(IDC_SUSIE_PREVIEW_GETPICTURE, v.previewUseGetPicture);
    dx.ComboIndex(IDC_SUSIE_PREVIEW_CELL, v.previewCellType);
    dx.Int(IDC_SUSIE_PREVIEW_NAME_LEN, v.previewNameLen, 0, 255);
    dx.Int(IDC_SUSIE_PREVIEW_KIND_LEN, v.previewKindLen, 0, 255);
    // A radio group left without a choice keeps the first one.
    if (dx.Saving()) {
        if (v.highLoad < 0) v.highLoad = 0;
        if (v.hPos < 0) v.hPos = 0;
        if (v.vPos < 0) v.vPos = 0;
    }
}

void CDefSusieDlg::FillLists() {
    m_imageLines = m_model.Lines(kSusieImage);
    m_archiveLines = m_model.Lines(kSusieArchive);
    FillCheckList(GetDlgItem(IDC_SUSIE_IMAGE_LIST), m_imageLines, m_model.Plugins());
    FillCheckList(GetDlgItem(IDC_SUSIE_ARCHIVE_LIST), m_archiveLines, m_model.Plugins());
}

void CDefSusieDlg::TakeChecks() {
    const auto take = [&](int listId, const std::vector<SusiePluginLine>& lines) {
        HWND list = GetDlgItem(listId);
        for (size_t i = 0; i < lines.size(); ++i)
            m_model.SetEnabled(lines[i].index, ListView_GetCheckState(list, static_cast<int>(i)) != 0);
    };
    take(IDC_SUSIE_IMAGE_LIST, m_imageLines);
    take(IDC_SUSIE_ARCHIVE_LIST, m_archiveLines);
}

int CDefSusieDlg::SelectedPlugin(int listId) const {
    const std::vector<SusiePluginLine>& lines = listId == IDC_SUSIE_IMAGE_LIST ? m_imageLines : m_archiveLines;
    const int row = ListView_GetNextItem(GetDlgItem(listId), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= lines.size()) return -1;
    return static_cast<int>(lines[static_cast<size_t>(row)].index);
}

void CDefSusieDlg::EditPatterns(int listId) {
    const int index = SelectedPlugin(listId);
    if (index < 0) return;
    TakeChecks();
    std::vector<std::wstring> patterns = m_model.Plugins()[static_cast<size_t>(index)].patterns;
    CAttachpluginDlg dialog(m_hWnd, std::wstring(m_model.Plugins()[static_cast<size_t>(index)].FileName()), patterns);
    if (dialog.DoModal() != IDOK) return;
    m_model.SetPatterns(static_cast<size_t>(index), std::move(patterns));
    FillLists();
}

void CDefSusieDlg::Configure(int listId) {
    const int index = SelectedPlugin(listId);
    if (index < 0) return;
    const std::wstring directory = m_directoryOf(GetDlgItemText(IDC_SUSIE_DIR));
    const std::wstring path =
        directory + L"\\" + std::wstring(m_model.Plugins()[static_cast<size_t>(index)].FileName());
    const std::optional<int> result = SusiePluginHost::Configure(path, m_hWnd);
    if (!result) {
        ui::ZqMessageBox(m_hWnd, L"このPlug-Inは設定を呼び出せませんでした", MB_OK | MB_ICONWARNING);
    } else if (*result == susie::kNotImplemented) {
        ui::ZqMessageBox(m_hWnd, L"このPlug-Inには設定がありません", MB_OK | MB_ICONINFORMATION);
    }
}

bool CDefSusieDlg::OnCommand(WORD id, WORD code, HWND control) {
    (void)control;
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_SUSIE_DIR_BROWSE: {
            const std::wstring current = GetDlgItemText(IDC_SUSIE_DIR);
            if (auto chosen = ui::ChooseFolder(m_hWnd, L"Susie Plug-Inのディレクトリ", current))
                SetDlgItemText(IDC_SUSIE_DIR, *chosen);
            return true;
        }
        case IDC_SUSIE_RESCAN:
            m_model.ReplacePlugins(m_rescan(GetDlgItemText(IDC_SUSIE_DIR)));
            FillLists();
            return true;
        case IDC_SUSIE_IMAGE_ATTACH:
            EditPatterns(IDC_SUSIE_IMAGE_LIST);
            return true;
        case IDC_SUSIE_ARCHIVE_ATTACH:
            EditPatterns(IDC_SUSIE_ARCHIVE_LIST);
            return true;
        case IDC_SUSIE_IMAGE_CONFIG:
            Configure(IDC_SUSIE_IMAGE_LIST);
            return true;
        case IDC_SUSIE_ARCHIVE_CONFIG:
            Configure(IDC_SUSIE_ARCHIVE_LIST);
            return true;
        default:
            return false;
    }
}

void CDefSusieDlg::OnOK() {
    if (!UpdateData(true)) return;
    TakeChecks();
    EndDialog(IDOK);
}

CAttachpluginDlg::CAttachpluginDlg(HWND parent, std::wstring fileName, std::vector<std::wstring>& patterns)
    : ui::CDialog(IDD_ATTACH_PLUGIN, parent),
      m_fileName(std::move(fileName)),
      m_patterns(patterns),
      m_pager(patterns) {}

bool CAttachpluginDlg::OnInitDialog() {
    SetDlgItemText(IDC_ATTACH_NAME, m_fileName);
    ShowPage();
    return true;
}

void CAttachpluginDlg::ShowPage() {
    const std::vector<std::wstring> fields = m_pager.Fields();
    for (size_t i = 0; i < fields.size(); ++i) SetDlgItemText(IDC_ATTACH_PATTERN0 + static_cast<int>(i), fields[i]);
    EnableItem(IDC_ATTACH_BACK, m_pager.CanGoBack());
}

void CAttachpluginDlg::StorePage() {
    std::vector<std::wstring> fields;
    for (size_t i = 0; i < PatternPager::kPerPage; ++i)
        fields.push_back(GetDlgItemText(IDC_ATTACH_PATTERN0 + static_cast<int>(i)));
    m_pager.Store(fields);
}

bool CAttachpluginDlg::OnCommand(WORD id, WORD code, HWND control) {
    (void)control;
    if (code != BN_CLICKED || (id != IDC_ATTACH_BACK && id != IDC_ATTACH_NEXT)) return false;
    StorePage();
    if (id == IDC_ATTACH_NEXT) {
        m_pager.Next();
    } else {
        // The button is about to be disabled: the focus must not stay on it.
        m_pager.Back();
        if (!m_pager.CanGoBack()) ::SetFocus(GetDlgItem(IDC_ATTACH_NEXT));
    }
    ShowPage();
    return true;
}

void CAttachpluginDlg::OnOK() {
    StorePage();
    m_patterns = m_pager.Result();
    EndDialog(IDOK);
}

}  // namespace zq
