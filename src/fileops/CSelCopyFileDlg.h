#pragma once
// "ファイル選択": edits the copy dialog's two pattern lists, the files to copy
// and the files to leave behind.  The caller takes the edited lists on IDOK.
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace zq::fileops {

class CSelCopyFileDlg : public ui::CDialog {
  public:
    CSelCopyFileDlg(HWND parent, std::vector<std::wstring> include, std::vector<std::wstring> exclude);

    [[nodiscard]] const std::vector<std::wstring>& Include() const noexcept { return m_include; }
    [[nodiscard]] const std::vector<std::wstring>& Exclude() const noexcept { return m_exclude; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;

  private:
    struct Side;
    static const Side kSides[2];
    void Fill(const Side& side) const;
    void Add(const Side& side);
    void Remove(const Side& side);

    std::vector<std::wstring> m_include;
    std::vector<std::wstring> m_exclude;
};

}  // namespace zq::fileops
