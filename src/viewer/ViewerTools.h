#pragma once
// Two small windows beside the panes: the text box (@TextBox, in every mode)
// and the tag dialog (@Viewtagview), which follows the Filer's cursor while
// it is shown.
//
//     view.AddPart(std::make_unique<TextBoxPart>(context));
//     view.AddPart(std::make_unique<ViewTagPart>(context, filer));
#include <memory>
#include <string>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "common/Handle.h"

namespace zq {

class ViewFiler;

namespace viewer {
class CTextBoxDlg;
class CViewTagDlg;
}  // namespace viewer

class TextBoxPart final : public IViewPart {
  public:
    explicit TextBoxPart(ViewContext& context);
    ~TextBoxPart() override;
    TextBoxPart(const TextBoxPart&) = delete;
    TextBoxPart& operator=(const TextBoxPart&) = delete;

    void RegisterCommands() override;

  private:
    ViewContext& m_context;
    std::unique_ptr<viewer::CTextBoxDlg> m_dialog;
};

class ViewTagPart final : public IViewPart {
  public:
    ViewTagPart(ViewContext& context, ViewFiler& filer);
    ~ViewTagPart() override;
    ViewTagPart(const ViewTagPart&) = delete;
    ViewTagPart& operator=(const ViewTagPart&) = delete;

    void Attach(IPaneHost& host) override { m_host = &host; }
    void RegisterCommands() override;
    void Start(const std::vector<std::wstring>& startDirectories) override;
    void OnTimer(unsigned id) override;
    void StoreState(Settings& settings) const override;

  private:
    void Toggle();
    void FollowCursor();
    void MakeTags(bool selection);

    ViewContext& m_context;
    ViewFiler& m_filer;
    IPaneHost* m_host = nullptr;
    std::unique_ptr<viewer::CViewTagDlg> m_dialog;
    UniqueHandle m_mutex;
    std::wstring m_shownPath;
    bool m_following = false;
};

}  // namespace zq
