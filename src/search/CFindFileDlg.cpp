#include "search/CFindFileDlg.h"

#include <commctrl.h>

#include <cwchar>

#include "filer/CFindOptionDlg.h"
#include "resource.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

constexpr UINT_PTR kProgressTimer = 1;

constexpr int kCodeBoxes[kFindCharCodeCount] = {IDC_FIND_SJIS, IDC_FIND_EUC, IDC_FIND_UNICODE, IDC_FIND_JIS,
                                                IDC_FIND_UTF8};

int* CodeSetting(Settings& s, int code) {
    int* const settings[kFindCharCodeCount] = {&s.FIND_FILE_CHAR_CODE_SHIFT_JIS, &s.FIND_FILE_CHAR_CODE_EUC,
                                               &s.FIND_FILE_CHAR_CODE_UNICODE, &s.FIND_FILE_CHAR_CODE_JIS,
                                               &s.FIND_FILE_CHAR_CODE_UTF8};
    return settings[code];
}

void FillCombo(HWND combo, const MruList& history) {
    for (const std::wstring& item : history.Items())
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::wstring ComboText(HWND dialog, int id) {
    const HWND combo = ::GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(combo)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(combo, text.data(), static_cast<int>(text.size()))));
    return text;
}

const wchar_t* ProblemText(FindProblem::Kind kind) {
    return kind == FindProblem::Kind::MissingDirectory ? L"ディレクトリを読めません" : L"ファイルを読めません";
}

}  // namespace

CFindFileDlg::CFindFileDlg(HWND parent, Settings& settings, std::wstring paneDirectory, FileConditions& conditions,
                           Locate locate, SearchResults& results)
    : CDialog(IDD_FINDFILE, parent),
      m_settings(settings),
      m_paneDirectory(std::move(paneDirectory)),
      m_conditions(conditions),
      m_locate(std::move(locate)),
      m_results(m_locate ? m_ownResults : results) {}

CFindFileDlg::~CFindFileDlg() {
    if (m_thread) {
        m_thread->RequestCancel();
        m_thread->Join();
    }
}

bool CFindFileDlg::OnInitDialog() {
    FillCombo(GetDlgItem(IDC_FIND_DIRECTORY), m_settings.findDirectories);
    FillCombo(GetDlgItem(IDC_FIND_NAME), m_settings.findFiles);
    FillCombo(GetDlgItem(IDC_FIND_STRING), m_settings.findStrings);
    SetDlgItemText(IDC_FIND_DIRECTORY, m_paneDirectory);
    SetDlgItemText(IDC_FIND_NAME, L"*.*");
    for (int code = 0; code < kFindCharCodeCount; ++code)
        ::CheckDlgButton(m_hWnd, kCodeBoxes[code], *CodeSetting(m_settings, code) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_FIND_CLOSE, m_settings.FINDDLGCLOSE ? BST_CHECKED : BST_UNCHECKED);
    SetUpList();
    if (m_settings.findWidth > 0 && m_settings.findHeight > 0)
        ::SetWindowPos(m_hWnd, nullptr, m_settings.findLeft, m_settings.findTop, m_settings.findWidth,
                       m_settings.findHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        ui::CentreOnOwner(m_hWnd);
    // The text to look for is what a search most often changes.
    ::SetFocus(GetDlgItem(IDC_FIND_STRING));
    return false;
}

void CFindFileDlg::SetUpList() {
    using namespace ui;
    for (int id : {IDC_FIND_DIRECTORY, IDC_FIND_NAME, IDC_FIND_STRING, IDC_FIND_STATUS})
        m_anchors.Add(m_hWnd, id, kAnchorRight);
    m_anchors.Add(m_hWnd, IDC_FIND_RESULTS, kAnchorRight | kAnchorBottom);
    m_anchors.Add(m_hWnd, IDC_FIND_PROBLEMS, kAnchorRight | kAnchorMoveY);
    m_anchors.Add(m_hWnd, IDC_FIND_LOCATE, kAnchorMoveY);
    for (int id : {IDOK, IDC_FIND_STOP, IDCANCEL}) m_anchors.Add(m_hWnd, id, kAnchorMoveX | kAnchorMoveY);

    const HWND list = GetDlgItem(IDC_FIND_RESULTS);
    if (!ListForm()) {
        // The pane shows the results: the list's room goes to what could not be read.
        RECT room{}, problems{};
        ::GetWindowRect(list, &room);
        ::GetWindowRect(GetDlgItem(IDC_FIND_PROBLEMS), &problems);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&room), 2);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&problems), 2);
        for (int id : {IDC_FIND_RESULTS, IDC_FIND_RESULTS_LABEL, IDC_FIND_LOCATE})
            ::ShowWindow(GetDlgItem(id), SW_HIDE);
        ::SetWindowPos(GetDlgItem(IDC_FIND_PROBLEMS), nullptr, room.left, room.top - 11, room.right - room.left,
                       problems.bottom - room.top + 11, SWP_NOZORDER | SWP_NOACTIVATE);
        m_anchors = {};
        for (int id : {IDC_FIND_DIRECTORY, IDC_FIND_NAME, IDC_FIND_STRING, IDC_FIND_STATUS})
            m_anchors.Add(m_hWnd, id, kAnchorRight);
        m_anchors.Add(m_hWnd, IDC_FIND_PROBLEMS, kAnchorRight | kAnchorBottom);
        for (int id : {IDOK, IDC_FIND_STOP, IDCANCEL}) m_anchors.Add(m_hWnd, id, kAnchorMoveX | kAnchorMoveY);
        return;
    }
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    static const wchar_t* const kTitles[kFindColumnCount] = {L"ファイル名", L"ディレクトリ名", L"サイズ", L"日付",
                                                             L"時間"};
    constexpr int kDefaultWidths[kFindColumnCount] = {140, 200, 90, 76, 64};
    for (int column = 0; column < kFindColumnCount; ++column) {
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        item.fmt = column == static_cast<int>(FindColumn::Size) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        const int stored = column < static_cast<int>(m_settings.findColumns.size())
                               ? m_settings.findColumns[static_cast<size_t>(column)]
                               : 0;
        item.cx = stored > 0 ? stored : kDefaultWidths[column];
        item.pszText = const_cast<wchar_t*>(kTitles[column]);
        ListView_InsertColumn(list, column, &item);
    }
    FindOrder order;
    order.logical = m_settings.USE_STR_CMP_LOGICAL_W != 0;
    m_view.SetOrder(order);
}

void CFindFileDlg::TakeNewResults() {
    if (!ListForm()) return;
    std::vector<structFindThreadInfo> fresh = m_results.SnapshotFrom(m_view.Taken());
    if (fresh.empty()) return;
    m_view.Append(std::move(fresh));
    ShowRows();
}

void CFindFileDlg::ShowRows() {
    const HWND list = GetDlgItem(IDC_FIND_RESULTS);
    ListView_SetItemCountEx(list, static_cast<int>(m_view.Size()), LVSICF_NOSCROLL);
    ::InvalidateRect(list, nullptr, FALSE);
}

void CFindFileDlg::LocateSelected() {
    const int row = ListView_GetNextItem(GetDlgItem(IDC_FIND_RESULTS), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= m_view.Size()) return;
    const structFindThreadInfo& item = m_view.Row(static_cast<size_t>(row));
    m_locate(item.directory, item.find.cFileName);
    if (::IsDlgButtonChecked(m_hWnd, IDC_FIND_CLOSE) == BST_CHECKED && !m_thread) OnCancel();
}

bool CFindFileDlg::OnListNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& info = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header));
            if (!(info.item.mask & LVIF_TEXT) || info.item.iItem < 0 ||
                static_cast<size_t>(info.item.iItem) >= m_view.Size())
                return true;
            m_cellText =
                FindColumnText(m_view.Row(static_cast<size_t>(info.item.iItem)), FindColumn(info.item.iSubItem));
            info.item.pszText = m_cellText.data();
            return true;
        }
        case LVN_COLUMNCLICK: {
            const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
            m_view.SetOrder(ClickedColumn(m_view.Order(), FindColumn(click.iSubItem)));
            ShowRows();
            return true;
        }
        case LVN_ITEMCHANGED:
            EnableItem(IDC_FIND_LOCATE, ListView_GetSelectedCount(GetDlgItem(IDC_FIND_RESULTS)) > 0);
            return true;
        case NM_DBLCLK:
            LocateSelected();
            return true;
        default:
            result = 0;
            return false;
    }
}

void CFindFileDlg::StoreSettings() {
    for (int code = 0; code < kFindCharCodeCount; ++code)
        *CodeSetting(m_settings, code) = ::IsDlgButtonChecked(m_hWnd, kCodeBoxes[code]) == BST_CHECKED ? 1 : 0;
    m_settings.FINDDLGCLOSE = ::IsDlgButtonChecked(m_hWnd, IDC_FIND_CLOSE) == BST_CHECKED ? 1 : 0;
}

void CFindFileDlg::EnableCriteria(bool enable) {
    for (int id : {IDOK, IDCANCEL, IDC_FIND_DIRECTORY, IDC_FIND_NAME, IDC_FIND_STRING, IDC_FIND_SJIS, IDC_FIND_UNICODE,
                   IDC_FIND_EUC, IDC_FIND_JIS, IDC_FIND_UTF8, IDC_FIND_OPTION})
        EnableItem(id, enable);
    EnableItem(IDC_FIND_STOP, !enable);
    ::SetFocus(GetDlgItem(enable ? IDOK : IDC_FIND_STOP));
}

void CFindFileDlg::OnOK() {
    // Return on a result goes to it, as "ファイルの場所へ" does.
    if (ListForm() && ::GetFocus() == GetDlgItem(IDC_FIND_RESULTS)) {
        LocateSelected();
        return;
    }
    if (m_thread) return;
    StoreSettings();
    const std::wstring directory = ComboText(m_hWnd, IDC_FIND_DIRECTORY);
    const std::wstring name = ComboText(m_hWnd, IDC_FIND_NAME);
    const std::wstring text = ComboText(m_hWnd, IDC_FIND_STRING);
    FindRequest request;
    std::wstring complaint;
    if (!MakeFindRequest(directory, name, text, m_paneDirectory, request, complaint)) {
        ui::ZqMessageBox(m_hWnd, complaint);
        return;
    }
    m_settings.findDirectories.Push(directory);
    m_settings.findFiles.Push(name);
    m_settings.findStrings.Push(text);
    for (int code = 0; code < kFindCharCodeCount; ++code)
        request.codes[static_cast<size_t>(code)] = *CodeSetting(m_settings, code) != 0;
    request.conditions = m_conditions;
    request.neglectDosNames = m_settings.FIND_FILE_NEGLECT_DOS_NAME != 0;

    m_progress.directories = m_progress.files = m_progress.found = m_progress.problems = 0;
    SetDlgItemText(IDC_FIND_PROBLEMS, L"");
    m_results.Begin(m_paneDirectory);
    m_view.Clear();
    if (ListForm()) ShowRows();
    m_searched = true;
    m_thread = std::make_unique<CFindThread>(std::move(request), m_results, m_progress);
    m_thread->SetOwner(m_hWnd);
    EnableCriteria(false);
    if (!m_thread->CreateThread()) {
        m_thread.reset();
        EnableCriteria(true);
        return;
    }
    SetTimer(kProgressTimer, 200);
}

void CFindFileDlg::ShowProgress() {
    wchar_t text[640];
    std::swprintf(text, std::size(text), L"%u 件  %ls", m_progress.found.load(), m_progress.Current().c_str());
    SetDlgItemText(IDC_FIND_STATUS, text);
}

void CFindFileDlg::Finished() {
    KillTimer(kProgressTimer);
    if (m_thread) m_thread->Join();
    m_thread.reset();
    TakeNewResults();
    const std::vector<FindProblem> problems = m_results.Problems();
    wchar_t text[160];
    std::swprintf(text, std::size(text), L"%u 件見つかりました  (%u ディレクトリ, 読めなかったもの %u)",
                  m_progress.found.load(), m_progress.directories.load(), static_cast<unsigned>(problems.size()));
    SetDlgItemText(IDC_FIND_STATUS, text);
    std::wstring list;
    for (const FindProblem& p : problems) list += std::wstring(ProblemText(p.kind)) + L": " + p.path + L"\r\n";
    SetDlgItemText(IDC_FIND_PROBLEMS, list);
    EnableCriteria(true);
    StoreSettings();
    if (!ListForm() && m_settings.FINDDLGCLOSE && problems.empty()) EndDialog(IDOK);
}

void CFindFileDlg::OnCancel() {
    if (m_thread) {
        m_thread->RequestCancel();
        ui::JoinPumping(m_thread->Handle());
        m_thread.reset();
    }
    StoreSettings();
    EndDialog(m_searched && !ListForm() ? IDOK : IDCANCEL);
}

bool CFindFileDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
        case IDC_FIND_OPTION: {
            CFindOptionDlg options(m_hWnd, m_conditions);
            if (options.DoModal() == IDOK) m_conditions = options.Result();
            return true;
        }
        case IDC_FIND_STOP:
            if (m_thread) m_thread->RequestCancel();
            return true;
        case IDC_FIND_LOCATE:
            LocateSelected();
            return true;
        case ui::CWinThread::kCommandSucceeded:
        case ui::CWinThread::kCommandFailed:
            Finished();
            return true;
        default:
            return CDialog::OnCommand(id, code, control);
    }
}

void CFindFileDlg::OnTimer(UINT_PTR id) {
    if (id != kProgressTimer) return;
    ShowProgress();
    TakeNewResults();
}

bool CFindFileDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_FIND_RESULTS && OnListNotify(header, result)) return true;
    }
    if (message == WM_SIZE) m_anchors.Follow(m_hWnd);
    if (message == WM_DESTROY) {
        if (ListForm()) {
            const HWND list = GetDlgItem(IDC_FIND_RESULTS);
            for (size_t column = 0; column < m_settings.findColumns.size() && column < kFindColumnCount; ++column)
                m_settings.findColumns[column] = ListView_GetColumnWidth(list, static_cast<int>(column));
        }
        RECT rect{};
        if (::GetWindowRect(m_hWnd, &rect)) {
            m_settings.findLeft = rect.left;
            m_settings.findTop = rect.top;
            m_settings.findWidth = rect.right - rect.left;
            m_settings.findHeight = rect.bottom - rect.top;
        }
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

}  // namespace zq
