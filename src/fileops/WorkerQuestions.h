#pragma once
// The engines' questions as the program's modal dialogs, shown from the worker
// thread and owned by the operation's dialog.
#include <windows.h>

#include "fileops/CopyInterfaces.h"
#include "fileops/DeleteJob.h"
#include "fileops/SameNameResolver.h"

namespace zq::fileops {

class WorkerQuestions : public IQuestionAsker, public ISameNameAsker, public IAskSameAsker {
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

// Waits for a worker while still handling this thread's messages: the worker
// may be sending to a window of this thread (a question box owned by it).
void JoinPumping(HANDLE thread);

}  // namespace zq::fileops
