#pragma once
// The small operations on the Filer's panes: attributes, time stamps, new
// directories, shortcuts and the time-macro formats, each a modal dialog on
// the window thread followed by a fresh read of the pane.
//
//     view.AddPart(std::make_unique<ViewAttr>(context, filer));
#include <string>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"

namespace zq {

class FilerPane;
class ViewFiler;

class ViewAttr final : public IViewPart {
  public:
    ViewAttr(ViewContext& context, ViewFiler& filer);
    ViewAttr(const ViewAttr&) = delete;
    ViewAttr& operator=(const ViewAttr&) = delete;

    void RegisterCommands() override;

  private:
    enum class AttributeCommand { Attributes, Times, Both };
    void ChangeAttributes(AttributeCommand which);
    void MakeDirectory();
    void MakeShortcut();
    void EditTimeMacros();
    // The active pane when it lists a real directory; null otherwise.
    FilerPane* UsablePane(int index);
    void Message(const std::wstring& text, const wchar_t* caption = nullptr) const;

    ViewContext& m_context;
    ViewFiler& m_filer;
};

}  // namespace zq
