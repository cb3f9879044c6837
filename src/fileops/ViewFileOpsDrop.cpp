#include "fileops/ViewFileOpsDrop.h"

#include "fileops/CopyJob.h"

namespace zq {

int DropTargetPane(const filer::FilerLayoutResult& layout, POINT point, int focusedPane) {
    const int pane = filer::PaneAt(layout, point);
    if (pane >= 0) return pane;
    return focusedPane == 1 ? 1 : 0;
}

unsigned DropModeForKeys(bool shift, bool control) {
    if (shift && control) return fileops::kModeDropLink;
    if (shift) return fileops::kModeDropMove;
    return fileops::kModeDropCopy;
}

std::optional<unsigned> DropJobMode(unsigned requested, const std::vector<std::wstring>& paths) {
    if (paths.empty()) return std::nullopt;
    if (requested == fileops::kModeDropLink) {
        const std::wstring& only = paths.front();
        const size_t dot = only.rfind(L'.');
        const bool program = paths.size() == 1 && dot != std::wstring::npos &&
                             only.find(L'\\', dot) == std::wstring::npos &&
                             ::CompareStringOrdinal(only.c_str() + dot, -1, L".EXE", -1, TRUE) == CSTR_EQUAL;
        if (program) return std::nullopt;
        return fileops::kModeDropCopy;
    }
    if (requested == fileops::kModeDropCopy || requested == fileops::kModeDropMove) return requested;
    return std::nullopt;
}

std::vector<std::wstring> DroppedPaths(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0 || length >= MAX_PATH) continue;
        std::wstring path(length + 1, L'\0');
        ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace zq
