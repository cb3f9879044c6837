#pragma once
namespace zq {

class CZqView;

// Adds every pane content and every other part of the view, one line each.
void AddViewParts(CZqView& view);

}  // namespace zq
