#include "filer/NetworkWait.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace zq {

namespace {

struct Question {
    std::function<NetworkAnswer()> ask;
    NetworkAnswer answer;
    bool givenUp = false;  // under OpenLock: the asker stopped waiting
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Question() {
        if (done) ::CloseHandle(done);
    }
};

struct KeptAnswer {
    NetworkAnswer answer;
    ULONGLONG arrived = 0;
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

// Answers that came in after their asker had given up, by key.
std::map<std::wstring, KeptAnswer>& Kept() {
    static std::map<std::wstring, KeptAnswer> kept;
    return kept;
}

std::atomic<bool> g_lateAnswer{false};

std::wstring Folded(std::wstring key) {
    if (!key.empty()) ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

}  // namespace

NetworkAnswer AskNetwork(const std::wstring& key, std::function<NetworkAnswer()> question, DWORD limitMs, DWORD late) {
    const std::wstring folded = Folded(key);
    auto asked = std::make_shared<Question>();
    if (!asked->done) return question();
    {
        const std::lock_guard<std::mutex> held(OpenLock());
        if (Open().count(folded)) return {late, {}};
        const auto kept = Kept().find(folded);
        if (kept != Kept().end()) {
            const KeptAnswer answer = std::move(kept->second);
            Kept().erase(kept);
            if (::GetTickCount64() - answer.arrived <= kLateAnswerKeptMs) return answer.answer;
        }
        Open()[folded] = asked;
    }
    asked->ask = std::move(question);
    try {
        std::thread([asked, folded] {
            NetworkAnswer answer = asked->ask();
            {
                const std::lock_guard<std::mutex> held(OpenLock());
                Open().erase(folded);
                if (asked->givenUp) {
                    Kept()[folded] = {std::move(answer), ::GetTickCount64()};
                    g_lateAnswer = true;
                } else {
                    asked->answer = std::move(answer);
                }
            }
            ::SetEvent(asked->done);
        }).detach();
    } catch (...) {
        const std::lock_guard<std::mutex> held(OpenLock());
        Open().erase(folded);
        return {late, {}};
    }
    if (::WaitForSingleObject(asked->done, limitMs) != WAIT_OBJECT_0) {
        const std::lock_guard<std::mutex> held(OpenLock());
        // Still listed as open: the thread has not taken its answer in yet (past
        // that, the answer is only a SetEvent away).
        const auto open = Open().find(folded);
        if (open != Open().end() && open->second == asked) {
            asked->givenUp = true;
            return {late, {}};
        }
    }
    ::WaitForSingleObject(asked->done, INFINITE);
    return std::move(asked->answer);
}

bool TakeLateNetworkAnswer() {
    return g_lateAnswer.exchange(false);
}

bool RootAnswers(const std::wstring& root) {
    if (root.empty()) return false;
    const bool unc = root.size() > 1 && root[0] == L'\\' && root[1] == L'\\';
    if (!unc && ::GetDriveTypeW(root.c_str()) != DRIVE_REMOTE)
        return ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
    const NetworkAnswer answer = AskNetwork(
        root,
        [root] {
            return NetworkAnswer{
                ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES ? NO_ERROR : ::GetLastError(), {}};
        },
        kNetworkAnswerMs, ERROR_SEM_TIMEOUT);
    return answer.error == NO_ERROR;
}

}  // namespace zq
