#include "filer/FilerPaneNewer.h"

#include <windows.h>

#include <string>
#include <unordered_map>

#include "filer/FilerPath.h"

namespace zq {

void MarkNewerThan(FilerPane& pane, const FilerPane& other, bool lonelyFiles) {
    // A folder copied from a case-sensitive file system may list two names that
    // differ only in case; the first one listed is the twin.
    std::unordered_map<std::wstring, uint64_t> twinTimes;
    twinTimes.reserve(static_cast<size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i) {
        const FileEntry& e = other.Entry(i);
        if (IsFileEntry(e)) twinTimes.emplace(FoldedName(e.cFileName), FileTimeValue(e.ftLastWriteTime));
    }
    for (int p = 0; p < pane.Count(); ++p) {
        const FileEntry& e = pane.EntryAt(p);
        if (!IsFileEntry(e)) continue;
        const auto twin = twinTimes.find(FoldedName(e.cFileName));
        // Comparing the whole 64-bit value is comparing the high halves first, then the low ones.
        const bool mark = twin == twinTimes.end() ? lonelyFiles : twin->second < FileTimeValue(e.ftLastWriteTime);
        pane.SetMark(p, mark);
    }
}

void NewerSelect(FilerPane& active, FilerPane& other, const NewerSelectOptions& options) {
    MarkNewerThan(active, other, options.lonelyFiles);
    if (options.bothPanes) MarkNewerThan(other, active, options.lonelyFiles);
}

}  // namespace zq
