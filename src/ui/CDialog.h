#pragma once
// Dialogs from resource templates, modal or modeless, with small data-exchange
// helpers.  A derived dialog overrides OnInitDialog/OnOK/OnCancel/OnCommand/
// OnTimer and DoDataExchange; UpdateData(true) moves control contents into
// members, UpdateData(false) the other way.
#include <windows.h>

#include <string>
#include <vector>

namespace zq::ui {

class CDialog;

// Centres a top-level dialog on the window it belongs to (see CDialog.cpp),
// kept whole on that window's monitor.  Every dialog is placed so as it opens.
void CentreOnOwner(HWND dialog);

// One direction of a data exchange between a dialog's controls and members.
class DataExchange {
  public:
    DataExchange(HWND dialog, bool saveAndValidate) : m_dialog(dialog), m_save(saveAndValidate) {}
    [[nodiscard]] bool Saving() const noexcept { return m_save; }
    [[nodiscard]] bool Failed() const noexcept { return m_failed; }

    void Text(int id, std::wstring& value, size_t capacity = 0);
    void Int(int id, int& value, int minimum, int maximum);
    void Check(int id, bool& value);
    void Check(int id, int& value);
    // Radio group from firstId to lastId: value is the index of the checked one, -1 when none.
    void Radio(int firstId, int lastId, int& value);
    // Index into the combo box's list; -1 when nothing is selected.
    void ComboIndex(int id, int& value);
    // The edit text of a combo box.
    void ComboText(int id, std::wstring& value);

  private:
    HWND Control(int id) const { return ::GetDlgItem(m_dialog, id); }
    HWND m_dialog;
    bool m_save;
    bool m_failed = false;
};

class CDialog {
  public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; returns the code passed to EndDialog (IDOK, IDCANCEL, …), -1 on failure.
    INT_PTR DoModal();
    // Creates the dialog modeless; the message loop routes its keys (see CWinApp).
    bool Create(HWND parent = nullptr);
    void DestroyWindow();

    [[nodiscard]] HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    operator HWND() const noexcept { return m_hWnd; }
    [[nodiscard]] bool IsModeless() const noexcept { return m_modeless; }
    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(INT_PTR result);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, const std::wstring& text) const { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }
    [[nodiscard]] std::wstring GetDlgItemText(int id) const;
    void EnableItem(int id, bool enable) const { ::EnableWindow(GetDlgItem(id), enable); }
    void SetTimer(UINT_PTR id, UINT ms) const { ::SetTimer(m_hWnd, id, ms, nullptr); }
    void KillTimer(UINT_PTR id) const { ::KillTimer(m_hWnd, id); }

    // Every modeless dialog alive on this thread, for the message loop.
    static const std::vector<HWND>& ModelessDialogs();

  protected:
    virtual bool OnInitDialog();                               // true: focus the first control
    virtual void OnOK();                                       // default: UpdateData(true), then EndDialog(IDOK)
    virtual void OnCancel();                                   // default: EndDialog(IDCANCEL)
    virtual bool OnCommand(WORD id, WORD code, HWND control);  // true when handled
    virtual void OnTimer(UINT_PTR id);
    virtual void DoDataExchange(DataExchange& dx);
    // Other messages; return true and set result when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called after the window is gone (modeless dialogs owned by nobody delete themselves).
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;
    UINT m_templateId;
    HWND m_parent;

  private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool m_modeless = false;
};

}  // namespace zq::ui
