#include "ui/CInputComplement.h"

#include <gtest/gtest.h>

#include "main/TempDir.h"
#include "resource.h"
#include "ui/CDialog.h"

namespace {

using zq::test::TempDir;

class ComboDlg : public zq::ui::CDialog {
  public:
    ComboDlg() : CDialog(IDD_UI_TEST) {}
};

// Holds the modifier keys down for this thread while it lives.
struct HeldKeys {
    BYTE saved[256] = {};
    HeldKeys(bool control, bool shift) {
        ::GetKeyboardState(saved);
        BYTE keys[256];
        std::copy(std::begin(saved), std::end(saved), keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    ~HeldKeys() { ::SetKeyboardState(saved); }
};

std::wstring Text(HWND edit) {
    wchar_t text[600] = {};
    ::GetWindowTextW(edit, text, 600);
    return text;
}

// Tab goes through the dialog's own key handling, as in the program's loop.
void PressTab(HWND dialog, HWND edit) {
    MSG msg{edit, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    if (!::IsDialogMessageW(dialog, &msg)) ::DispatchMessageW(&msg);
}

TEST(CInputComplement, CtrlTabCompletesTheComboFieldInsideADialog) {
    TempDir dir;
    dir.MakeDir(L"beta");
    dir.WriteFile(L"beta\\inner.txt", "x");
    dir.WriteFile(L"bet.txt", "file");
    ComboDlg dialog;
    ASSERT_TRUE(dialog.Create());
    // A combo box as wide as a path field: the test dialog's own one would
    // refuse characters beyond its width.
    HWND combo =
        ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                          0, 300, 200, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(4321)), nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    ::ShowWindow(dialog, SW_SHOW);
    zq::ui::CInputComplement complement;
    ASSERT_TRUE(complement.Attach(combo, true));
    HWND edit = complement.Edit();
    ASSERT_NE(edit, nullptr);
    ::SetFocus(edit);
    ASSERT_EQ(::GetFocus(), edit);
    const std::wstring typed = dir / L"be";
    ::SetWindowTextW(edit, typed.c_str());

    {
        HeldKeys keys(true, true);  // Ctrl+Shift+Tab is not completion
        PressTab(dialog, edit);
        EXPECT_EQ(Text(edit), typed);
        ::SetFocus(edit);  // the dialog moved on to the control before
    }
    {
        HeldKeys keys(false, false);  // nor is a plain Tab
        PressTab(dialog, edit);
        EXPECT_EQ(Text(edit), typed);
        ::SetFocus(edit);
    }
    {
        HeldKeys keys(true, false);
        PressTab(dialog, edit);
        EXPECT_EQ(Text(edit), dir / L"beta") << "the file bet.txt is skipped in a directory field";
        EXPECT_EQ(::GetFocus(), edit) << "Ctrl+Tab must not move the focus";
        DWORD start = 0, end = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, Text(edit).size());
        EXPECT_EQ(end, Text(edit).size());
    }
    // Typing a separator restarts the completion inside the completed folder.
    ::SendMessageW(edit, WM_CHAR, L'\\', 0);
    ASSERT_EQ(Text(edit), dir / L"beta\\");
    complement.Attach(combo, false);
    {
        HeldKeys keys(true, false);
        PressTab(dialog, edit);
        EXPECT_EQ(Text(edit), dir / L"beta\\inner.txt");
    }
    dialog.DestroyWindow();
    EXPECT_EQ(complement.Edit(), nullptr);
}

}  // namespace
