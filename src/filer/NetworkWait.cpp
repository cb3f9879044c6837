#include "filer/NetworkWait.h"

#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace zq {

namespace {

struct Question {
    std::function<DWORD()> ask;
    DWORD answer = 0;
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Question() {
        if (done) ::CloseHandle(done);
    }
};

std::mutex& OpenLock() {
    static std::mutex lock;
    return lock;
}

// Questions asked and not yet answered, by key.
std::map<std::wstring, std::shared_ptr<Question>>& Open() {
    static std::map<std::wstring, std::shared_ptr<Question>> open;
    return open;
}

std::wstring Folded(std::wstring key) {
    if (!key.empty()) ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

}  // namespace

DWORD AskNetwork(const std::wstring& key, std::function<DWORD()> question, DWORD limitMs, DWORD late) {
    const std::wstring folded = Folded(key);
    auto asked = std::make_shared<Question>();
    if (!asked->done) return question();
    {
        const std::lock_guard<std::mutex> held(OpenLock());
        if (Open().count(folded)) return late;
        Open()[folded] = asked;
    }
    asked->ask = std::move(question);
    try {
        std::thread([asked, folded] {
            asked->answer = asked->ask();
            {
                const std::lock_guard<std::mutex> held(OpenLock());
                Open().erase(folded);
            }
            ::SetEvent(asked->done);
        }).detach();
    } catch (...) {
        const std::lock_guard<std::mutex> held(OpenLock());
        Open().erase(folded);
        return late;
    }
    if (::WaitForSingleObject(asked->done, limitMs) != WAIT_OBJECT_0) return late;
    return asked->answer;
}

bool RootAnswers(const std::wstring& root) {
    if (root.empty()) return false;
    const bool unc = root.size() > 1 && root[0] == L'\\' && root[1] == L'\\';
    if (!unc && ::GetDriveTypeW(root.c_str()) != DRIVE_REMOTE)
        return ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
    const DWORD error = AskNetwork(
        root,
        [root] { return ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES ? NO_ERROR : ::GetLastError(); },
        kNetworkAnswerMs, ERROR_SEM_TIMEOUT);
    return error == NO_ERROR;
}

}  // namespace zq
