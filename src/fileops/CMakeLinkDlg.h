#pragma once
// "ショートカットの作成": the fields of a shell link and where it is saved.
#include <string>

#include "ui/CDialog.h"

namespace zq::fileops {

struct ShortcutFields {
    std::wstring target;
    std::wstring fileName;
    std::wstring arguments;
    std::wstring description;
    std::wstring workingDirectory;
    std::wstring saveDirectory;
};

// What the dialog starts with: the target is the cursor's entry (the pane's
// directory when the cursor is on none), named after its base name, a drive
// root after its letter and a network root after its last component.
[[nodiscard]] ShortcutFields DefaultShortcutFields(const std::wstring& paneDirectory, const std::wstring& cursorName,
                                                   bool cursorIsDirectory, const std::wstring& otherDirectory);

// Why the fields cannot make a shortcut, as the dialog says it; empty when they can.
// A link to nothing would only fail when it is used, so a target that does not
// exist is refused here.
[[nodiscard]] std::wstring ShortcutFieldsProblem(const ShortcutFields& fields);

class CMakeLinkDlg : public ui::CDialog {
  public:
    CMakeLinkDlg(HWND parent, ShortcutFields fields);
    [[nodiscard]] const ShortcutFields& Fields() const noexcept { return m_fields; }

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

  private:
    ShortcutFields m_fields;
};

}  // namespace zq::fileops
