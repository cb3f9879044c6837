#include "search/CFindFileDlg.h"

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
                           SearchResults& results)
    : CDialog(IDD_FINDFILE, parent),
      m_settings(settings),
      m_paneDirectory(std::move(paneDirectory)),
      m_conditions(conditions),
      m_results(results) {}

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
    if (m_settings.findWidth > 0 && m_settings.findHeight > 0)
        ::SetWindowPos(m_hWnd, nullptr, m_settings.findLeft, m_settings.findTop, m_settings.findWidth,
                       m_settings.findHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        ui::CentreOnOwner(m_hWnd);
    // The text to look for is what a search most often changes.
    ::SetFocus(GetDlgItem(IDC_FIND_STRING));
    return false;
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
    if (m_settings.FINDDLGCLOSE && problems.empty()) EndDialog(IDOK);
}

void CFindFileDlg::OnCancel() {
    if (m_thread) {
        m_thread->RequestCancel();
        ui::JoinPumping(m_thread->Handle());
        m_thread.reset();
    }
    StoreSettings();
    EndDialog(m_searched ? IDOK : IDCANCEL);
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
        case ui::CWinThread::kCommandSucceeded:
        case ui::CWinThread::kCommandFailed:
            Finished();
            return true;
        default:
            return CDialog::OnCommand(id, code, control);
    }
}

void CFindFileDlg::OnTimer(UINT_PTR id) {
    if (id == kProgressTimer) ShowProgress();
}

bool CFindFileDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_DESTROY) {
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
