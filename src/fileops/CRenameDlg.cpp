#include "fileops/CRenameDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "fileops/CRenameThread.h"
#include "fileops/RenamePlan.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

namespace {

constexpr UINT_PTR kPreviewTimer = 1;
constexpr UINT_PTR kProgressTimer = 2;
constexpr wchar_t kFailedContinueText[] = L"ファイル名の変更に失敗しました続けますか";
constexpr wchar_t kFailedText[] = L"ファイル名の変更に失敗しました";
constexpr wchar_t kPatternHelp[] =
    L"*   元の名前を複数文字使用します\n    ２個以上使用できません\n?   元の名前1文字使用します\n$n  "
    L"00～99で、Dirに無いファイル名をつくります。\n    数値開始番号設定で開始番号を設定できます。\n    "
    L"２個以上使用できません\n    $桁数nとすることにより桁数を指定可能です\n%string%  stringを挿入します\n    "
    L"      ２個以上使用できません";

// The width choices: each class's combo and the texts of its choices, in the
// order of their values.
struct WidthCombo {
    int id;
    unsigned CharConvertInfo::*choice;
    std::initializer_list<const wchar_t*> texts;
};
const WidthCombo kWidthCombos[] = {
    {IDC_RENAMEB_KATAKANA, &CharConvertInfo::katakana, {L"そのまま", L"半角", L"全角", L"ひらがな"}},
    {IDC_RENAMEB_HIRAGANA, &CharConvertInfo::hiragana, {L"そのまま", L"半角カタカナ"}},
    {IDC_RENAMEB_ALPHABET, &CharConvertInfo::alphabet, {L"そのまま", L"半角", L"全角"}},
    {IDC_RENAMEB_DIGIT, &CharConvertInfo::digit, {L"そのまま", L"半角", L"全角"}},
    {IDC_RENAMEB_SPACE, &CharConvertInfo::space, {L"そのまま", L"半角", L"全角"}},
};

void AddToolTip(HWND dialog, HWND control, const wchar_t* text) {
    HWND tip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, nullptr, nullptr);
    if (tip == nullptr) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 600);
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

CRenameDlg::CRenameDlg(HWND parent, const WIN32_FIND_DATAW& source, std::wstring destinationDirectory)
    : CDialog(IDD_RENAME, parent), m_source(source), m_destinationDirectory(std::move(destinationDirectory)) {}

CRenameDlg::CRenameDlg(HWND parent, unsigned mode, std::wstring directory, std::vector<std::wstring> names,
                       RenameBatchSettings& settings)
    : CDialog(IDD_RENAME_BATCH, parent),
      m_mode(mode),
      m_destinationDirectory(std::move(directory)),
      m_names(std::move(names)),
      m_settings(&settings) {}

CRenameDlg::~CRenameDlg() {
    if (m_worker) {
        m_worker->RequestCancel();
        m_worker->Join();
    }
}

bool CRenameDlg::OnInitDialog() {
    if (m_mode == kModeSingleName) {
        SetDlgItemText(IDC_RENAME_BEFORE, m_source.cFileName);
        SetDlgItemText(IDC_RENAME_AFTER, m_source.cFileName);
        ::SetFocus(GetDlgItem(IDC_RENAME_AFTER));
        ::SendDlgItemMessageW(m_hWnd, IDC_RENAME_AFTER, EM_SETSEL, 0, -1);
        return false;
    }
    const bool several = m_mode == kModeBatch && m_names.size() > 1;
    SetDlgItemText(IDC_RENAMEB_BEFORE, several ? L"タグファイル" : m_names.front());
    HWND combo = GetDlgItem(IDC_RENAMEB_AFTER);
    for (const std::wstring& item : m_settings->history)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetDlgItemText(IDC_RENAMEB_AFTER, several ? L"*.*" : m_names.front());
    AddToolTip(m_hWnd, combo, kPatternHelp);
    const RenameOptions& o = m_settings->options;
    ::CheckRadioButton(m_hWnd, IDC_RENAMEB_CASE_NONE, IDC_RENAMEB_CASE_LOWER,
                       IDC_RENAMEB_CASE_NONE + static_cast<int>(std::min(m_settings->caseConversion, 2u)));
    ::SendDlgItemMessageW(m_hWnd, IDC_RENAMEB_NAMESPIN, UDM_SETRANGE32, 0, 9999);
    ::SendDlgItemMessageW(m_hWnd, IDC_RENAMEB_EXTSPIN, UDM_SETRANGE32, 0, 9999);
    ::SetDlgItemInt(m_hWnd, IDC_RENAMEB_NAMESTART, static_cast<UINT>(o.nameStart), FALSE);
    ::SetDlgItemInt(m_hWnd, IDC_RENAMEB_EXTSTART, static_cast<UINT>(o.extStart), FALSE);
    ::CheckDlgButton(m_hWnd, IDC_RENAMEB_ACCUMULATE, o.alwaysAccumulate ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_RENAMEB_MOVECURSOR, m_settings->moveCursor ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_RENAMEB_WIDTH, o.convertWidths ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_RENAMEB_WIDTHSAVE, m_settings->saveWidths ? BST_CHECKED : BST_UNCHECKED);
    for (const WidthCombo& combo : kWidthCombos) {
        HWND box = GetDlgItem(combo.id);
        for (const wchar_t* text : combo.texts) ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        const unsigned value = o.widths.*combo.choice;
        ::SendMessageW(box, CB_SETCURSEL, value < combo.texts.size() ? value : 0, 0);
    }
    ShowPreview();
    ::SetFocus(combo);
    const size_t dot = several ? std::wstring::npos : m_names.front().rfind(L'.');
    const int end = m_settings->selectStem && dot != std::wstring::npos && dot > 0 ? static_cast<int>(dot) : -1;
    ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, end));
    return false;
}

bool CRenameDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (m_mode == kModeSingleName) return CDialog::OnCommand(id, code, control);
    const bool edited = (id == IDC_RENAMEB_AFTER && (code == CBN_EDITCHANGE || code == CBN_SELCHANGE)) ||
                        ((id == IDC_RENAMEB_NAMESTART || id == IDC_RENAMEB_EXTSTART) && code == EN_CHANGE) ||
                        (id >= IDC_RENAMEB_CASE_NONE && id <= IDC_RENAMEB_WIDTH && code == BN_CLICKED) ||
                        (id >= IDC_RENAMEB_KATAKANA && id <= IDC_RENAMEB_SPACE && code == CBN_SELCHANGE);
    if (id == ui::CWinThread::kCommandSucceeded || id == ui::CWinThread::kCommandFailed) {
        WorkerEnded(id == ui::CWinThread::kCommandSucceeded);
        return true;
    }
    if (id == IDC_RENAMEB_ABORT && code == BN_CLICKED) {
        if (m_worker) m_worker->RequestCancel();
        return true;
    }
    // A choice from the list reaches the edit field only after this
    // notification, so the new names are made a moment later.
    if (edited) SetTimer(kPreviewTimer, 120);
    return CDialog::OnCommand(id, code, control);
}

void CRenameDlg::OnTimer(UINT_PTR id) {
    if (id == kProgressTimer) {
        ShowProgress();
        return;
    }
    if (id != kPreviewTimer) return;
    KillTimer(kPreviewTimer);
    ShowPreview();
}

void CRenameDlg::ReadOptions() {
    RenameOptions& o = m_settings->options;
    o.pattern = GetDlgItemText(IDC_RENAMEB_AFTER);
    o.nameStart = std::clamp(static_cast<int>(::GetDlgItemInt(m_hWnd, IDC_RENAMEB_NAMESTART, nullptr, FALSE)), 0, 9999);
    o.extStart = std::clamp(static_cast<int>(::GetDlgItemInt(m_hWnd, IDC_RENAMEB_EXTSTART, nullptr, FALSE)), 0, 9999);
    o.alwaysAccumulate = ::IsDlgButtonChecked(m_hWnd, IDC_RENAMEB_ACCUMULATE) == BST_CHECKED;
    o.convertWidths = ::IsDlgButtonChecked(m_hWnd, IDC_RENAMEB_WIDTH) == BST_CHECKED;
    m_settings->saveWidths = ::IsDlgButtonChecked(m_hWnd, IDC_RENAMEB_WIDTHSAVE) == BST_CHECKED;
    for (const WidthCombo& combo : kWidthCombos) {
        const LRESULT at = ::SendDlgItemMessageW(m_hWnd, combo.id, CB_GETCURSEL, 0, 0);
        o.widths.*combo.choice = at < 0 ? 0u : static_cast<unsigned>(at);
    }
    m_settings->moveCursor = ::IsDlgButtonChecked(m_hWnd, IDC_RENAMEB_MOVECURSOR) == BST_CHECKED;
    m_settings->caseConversion = ::IsDlgButtonChecked(m_hWnd, IDC_RENAMEB_CASE_UPPER) == BST_CHECKED   ? 1u
                                 : ::IsDlgButtonChecked(m_hWnd, IDC_RENAMEB_CASE_LOWER) == BST_CHECKED ? 2u
                                                                                                       : 0u;
}

void CRenameDlg::ShowPreview() {
    // The preview works on a copy: reading the controls must not yet change
    // what the next opening of the dialog starts with.
    RenameBatchSettings kept = *m_settings;
    ReadOptions();
    const std::vector<std::wstring> names =
        GenerateBatchNames(m_destinationDirectory, m_names, m_settings->options, m_settings->caseConversion,
                           NamesOnDisk(m_destinationDirectory));
    *m_settings = std::move(kept);
    HWND list = GetDlgItem(IDC_RENAMEB_PREVIEW);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < m_names.size(); ++i) {
        const std::wstring line = m_names[i] + L" → " + (names[i].empty() ? L"×" : names[i]);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

bool CRenameDlg::AskContinue() const {
    return ui::ZqMessageBox(m_hWnd, kFailedContinueText, L"ZQ", MB_YESNO) == IDYES;
}

bool CRenameDlg::StartBatch() {
    const std::vector<std::wstring> made =
        GenerateBatchNames(m_destinationDirectory, m_names, m_settings->options, m_settings->caseConversion,
                           NamesOnDisk(m_destinationDirectory));
    std::vector<RenameRequest> requests;
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (!made[i].empty()) {
            requests.push_back({m_names[i], made[i]});
            continue;
        }
        SetDlgItemText(IDC_RENAMEB_BEFORE, m_names[i]);
        if (!AskContinue()) return false;
    }
    RenamePlanResult plan = PlanRenames(requests, NamesOnDisk(m_destinationDirectory));
    for (int refused : plan.refused) {
        SetDlgItemText(IDC_RENAMEB_BEFORE, requests[static_cast<size_t>(refused)].oldName);
        if (!AskContinue()) return false;
    }
    m_worker = std::make_unique<CRenameThread>(m_destinationDirectory, std::move(requests), std::move(plan));
    m_worker->SetOwner(m_hWnd);
    if (!m_worker->CreateThread()) {
        m_worker.reset();
        ui::ZqMessageBox(m_hWnd, L"メモリが不足しています");
        return false;
    }
    SetTimer(kProgressTimer, 100);
    return true;
}

void CRenameDlg::ShowProgress() {
    const int done = m_worker ? m_worker->LastDone() : -1;
    if (done < 0) return;
    const RenameRequest& r = m_worker->Request(done);
    SetDlgItemText(IDC_RENAMEB_BEFORE, r.oldName);
    SetDlgItemText(IDC_RENAMEB_AFTER, r.newName);
    m_newName = r.newName;
}

void CRenameDlg::WorkerEnded(bool finished) {
    if (!m_worker) return;
    m_worker->Join();
    KillTimer(kProgressTimer);
    ShowProgress();
    const bool failed = !finished && !m_worker->CancelRequested();
    m_worker.reset();
    if (failed) ui::ZqMessageBox(m_hWnd, kFailedText, L"ZQ", MB_OK);
    EndDialog(finished ? IDOK : IDCANCEL);
}

void CRenameDlg::OnCancel() {
    // While the worker runs, Escape is the abort button: the dialog ends when the worker has stopped.
    if (m_worker) {
        m_worker->RequestCancel();
        return;
    }
    CDialog::OnCancel();
}

void CRenameDlg::OnOK() {
    if (m_mode != kModeSingleName) {
        ReadOptions();
        const std::wstring pattern = m_settings->options.pattern;
        if (pattern.empty()) return;
        auto& history = m_settings->history;
        history.erase(std::remove(history.begin(), history.end(), pattern), history.end());
        history.insert(history.begin(), pattern);
        if (history.size() > 10) history.resize(10);
        if (m_worker) return;
        for (int id : {IDC_RENAMEB_AFTER, IDOK, IDCANCEL}) EnableItem(id, false);
        EnableItem(IDC_RENAMEB_ABORT, true);
        if (!StartBatch()) EndDialog(IDCANCEL);
        return;
    }
    const std::wstring name = GetDlgItemText(IDC_RENAME_AFTER);
    if (name.empty()) return;
    const std::wstring path = m_destinationDirectory + L"\\" + name;
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ui::ZqMessageBox(m_hWnd, L"入力したファイルは既に存在します");
        return;
    }
    m_newName = name;
    EndDialog(IDOK);
}

}  // namespace zq::fileops
