#include "filer/SelectionSnapshot.h"

#include <new>

#include "filer/FilerPane.h"

namespace zq {

SelectionStatus TakeSelection(const FilerPane& pane, unsigned flags, SelectionSnapshot& out) {
    out.entries.clear();
    out.folder.clear();
    try {
        out.entries.reserve(static_cast<size_t>(pane.MarkedCount() > 0 ? pane.MarkedCount() : 1));
        std::wstring directory;
        for (int n = 0;; ++n) {
            const FileEntry* e = pane.NthSelected(flags, n, &directory);
            if (!e) break;
            if (out.entries.empty()) out.folder = directory;
            out.entries.push_back(*e);
        }
    } catch (const std::bad_alloc&) {
        out.entries.clear();
        return SelectionStatus::OutOfMemory;
    }
    return out.entries.empty() ? SelectionStatus::NothingSelected : SelectionStatus::Ok;
}

}  // namespace zq
