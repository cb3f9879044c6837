#include "filer/SelectionSnapshot.h"

#include <new>

#include "filer/FilerPane.h"

namespace zq {

SelectionStatus TakeSelection(const FilerPane& pane, unsigned flags, SelectionSnapshot& out) {
    out = SelectionSnapshot{};
    try {
        out.entries.reserve(static_cast<size_t>(pane.MarkedCount() > 0 ? pane.MarkedCount() : 1));
        std::wstring directory;
        for (int n = 0;; ++n) {
            const FileEntry* e = pane.NthSelected(flags, n, &directory);
            if (!e) break;
            if (out.entries.empty()) out.directory = directory;
            // An entry from elsewhere (a search result) carries its own directory.
            if (directory != out.directory) {
                out.entryDirectories.resize(out.entries.size());
                out.entryDirectories.push_back(directory);
            } else if (!out.entryDirectories.empty()) {
                out.entryDirectories.emplace_back();
            }
            out.entries.push_back(*e);
        }
    } catch (const std::bad_alloc&) {
        out = SelectionSnapshot{};
        return SelectionStatus::OutOfMemory;
    }
    return out.entries.empty() ? SelectionStatus::NothingSelected : SelectionStatus::Ok;
}

}  // namespace zq
