#pragma once
// "コピー条件": the way to treat a file whose name exists in the destination.
// Without a file it takes its compact form (the file's fields hidden and the
// rest moved up).
#include "fileops/SameNameResolver.h"
#include "ui/CDialog.h"

namespace zq::fileops {

class CCopyWayDlg : public ui::CDialog {
  public:
    CCopyWayDlg(HWND parent, const SameNameChoice& choice, const SameNameFile* file);
    [[nodiscard]] const SameNameChoice& Choice() const noexcept { return m_choice; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    void ShowFile();
    void MakeCompact();

    SameNameChoice m_choice;
    const SameNameFile* m_file;
};

// "%04d-%02d-%02d %02d:%02d:%02d" of a file time, in local time.
std::wstring FormatFileTime(const FILETIME& time);

}  // namespace zq::fileops
