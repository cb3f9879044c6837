#include "filer/PatternHistory.h"

#include "common/MruList.h"

namespace zq {

std::vector<std::wstring> HistoryEntries(std::span<const std::wstring> slots) {
    std::vector<std::wstring> entries;
    for (const std::wstring& slot : slots)
        if (!slot.empty()) entries.push_back(slot);
    return entries;
}

void PushHistory(std::span<std::wstring> slots, std::wstring_view entry) {
    MruList list(slots.size());
    const std::vector<std::wstring> entries = HistoryEntries(slots);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) list.Push(*it);
    list.Push(entry);
    for (size_t i = 0; i < slots.size(); ++i) slots[i] = std::wstring(list.Get(i));
}

}  // namespace zq
