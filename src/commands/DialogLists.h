#pragma once
// The view's three lists of running operation dialogs (copy/move, delete,
// unpack), guarded by the named mutex hCopyDialogArrayMutex.  The quit
// request and command 1185 purge finished dialogs and ask whether any remain.
#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "common/Handle.h"

namespace zq {

// What the lists need of an operation dialog.
class IOperationDialog {
  public:
    virtual ~IOperationDialog() = default;
    [[nodiscard]] virtual bool Finished() const = 0;
    // Called once a finished dialog leaves its list, just before it is freed:
    // what it gives back (its settings) goes back now, one dialog at a time.
    virtual void Close() {}
};

enum class DialogList { Copy = 0, Delete = 1, Unpack = 2, Pack = 3 };

class DialogLists {
  public:
    static constexpr const wchar_t* kMutexName = L"hCopyDialogArrayMutex";

    DialogLists();
    DialogLists(const DialogLists&) = delete;
    DialogLists& operator=(const DialogLists&) = delete;

    void Add(DialogList list, std::unique_ptr<IOperationDialog> dialog);
    // Walks the list from the last entry to the first, destroys every finished
    // dialog and removes it; answers whether the list is now empty.
    bool PurgeAndTestEmpty(DialogList list);
    // Runs fn(IOperationDialog&) for each entry, last to first, under the mutex.
    template <typename Fn>
    void ForEachReverse(DialogList list, Fn fn) {
        Lock lock(m_mutex.Get());
        auto& entries = m_lists[static_cast<size_t>(list)];
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) fn(**it);
    }
    [[nodiscard]] size_t Count(DialogList list);

  private:
    struct Lock {
        HANDLE mutex;
        explicit Lock(HANDLE m) : mutex(m) {
            if (mutex) ::WaitForSingleObject(mutex, INFINITE);
        }
        ~Lock() {
            if (mutex) ::ReleaseMutex(mutex);
        }
    };
    UniqueHandle m_mutex;
    std::array<std::vector<std::unique_ptr<IOperationDialog>>, 4> m_lists;
};

}  // namespace zq
