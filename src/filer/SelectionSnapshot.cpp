#include "filer/SelectionSnapshot.h"

#include <new>

#include "filer/FilerPane.h"
#include "filer/VirtualDriveSource.h"

namespace zq {

SelectionStatus TakeSelection(const FilerPane& pane, unsigned flags, SelectionSnapshot& out) {
    out = SelectionSnapshot{};
    // Entries of a virtual drive stand for files kept elsewhere: operations
    // take the real files' directories but must not remove the real files.
    out.isVirtual = dynamic_cast<const VirtualDriveSource*>(&pane.Source()) != nullptr;
    if (out.isVirtual) out.directory = pane.Path();
    try {
        out.entries.reserve(static_cast<size_t>(pane.MarkedCount() > 0 ? pane.MarkedCount() : 1));
        std::wstring directory;
        for (int n = 0;; ++n) {
            const FileEntry* e = pane.NthSelected(flags, n, &directory);
            if (!e) break;
            if (out.entries.empty() && !out.isVirtual) out.directory = directory;
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
