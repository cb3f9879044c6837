#include "commands/DialogLists.h"

namespace zq {

DialogLists::DialogLists() : m_mutex(::CreateMutexW(nullptr, FALSE, kMutexName)) {}

void DialogLists::Add(DialogList list, std::unique_ptr<IOperationDialog> dialog) {
    Lock lock(m_mutex.Get());
    m_lists[static_cast<size_t>(list)].push_back(std::move(dialog));
}

bool DialogLists::PurgeAndTestEmpty(DialogList list) {
    std::vector<std::unique_ptr<IOperationDialog>> finished;
    bool empty = false;
    {
        Lock lock(m_mutex.Get());
        auto& entries = m_lists[static_cast<size_t>(list)];
        for (size_t i = entries.size(); i-- > 0;) {
            if (entries[i]->Finished()) {
                finished.push_back(std::move(entries[i]));
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        empty = entries.empty();
    }
    // Destroyed outside the lock: a dialog's teardown joins its worker, and a
    // worker may be waiting for this very mutex.
    for (auto& dialog : finished) {
        dialog->Close();
        dialog.reset();
    }
    return empty;
}

size_t DialogLists::Count(DialogList list) {
    Lock lock(m_mutex.Get());
    return m_lists[static_cast<size_t>(list)].size();
}

}  // namespace zq
