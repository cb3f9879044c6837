#pragma once
// The engines' questions as the program's modal dialogs, owned by the
// operation's dialog and shown by its thread while the worker waits.
#include <windows.h>

#include "fileops/CopyInterfaces.h"
#include "fileops/DeleteJob.h"
#include "fileops/SameNameResolver.h"
#include "fileops/VirtualDriveEdits.h"

namespace zq::fileops {

class WorkerQuestions : public IOperationAsker {
  public:
    explicit WorkerQuestions(HWND owner) : m_owner(owner) {}

    int AskYesNo(const std::wstring& text, const std::wstring& caption) override;
    void Tell(const std::wstring& text) override;
    bool AskWay(SameNameChoice& choice, const SameNameFile* file) override;
    bool AskNewName(const WIN32_FIND_DATAW& source, const std::wstring& destinationDirectory,
                    std::wstring& newName) override;
    bool AskSame(const std::wstring& caption, const std::wstring& text, bool& sameFromNow) override;

  private:
    HWND m_owner;
};

// The process's virtual drives as a worker sees them, edited on `owner`'s thread.
[[nodiscard]] VirtualDriveEdits WorkerVirtualDrives(HWND owner);

}  // namespace zq::fileops
