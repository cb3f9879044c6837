#include "search/SearchResults.h"

namespace zq {

SearchResults::Lock::Lock(HANDLE mutex) : m_mutex(mutex) {
    // An owner that died holding it leaves the mutex abandoned; the results are still whole records.
    const DWORD waited = ::WaitForSingleObject(m_mutex, INFINITE);
    m_owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SearchResults::Lock::~Lock() {
    if (m_owned) ::ReleaseMutex(m_mutex);
}

SearchResults::SearchResults(const wchar_t* mutexName) : m_mutex(::CreateMutexW(nullptr, FALSE, mutexName)) {}

SearchResults& SearchResults::Shared() {
    static SearchResults results;
    return results;
}

void SearchResults::Begin(const std::wstring& returnTo) {
    const Lock lock(m_mutex.Get());
    m_started = true;
    m_returnTo = returnTo;
    m_items.clear();
    m_problems.clear();
    ++m_generation;
}

void SearchResults::Add(const structFindThreadInfo& hit) {
    const Lock lock(m_mutex.Get());
    m_items.push_back(hit);
    ++m_generation;
}

void SearchResults::SetProblems(std::vector<FindProblem> problems) {
    const Lock lock(m_mutex.Get());
    m_problems = std::move(problems);
}

bool SearchResults::Started() const {
    const Lock lock(m_mutex.Get());
    return m_started;
}

std::wstring SearchResults::ReturnTo() const {
    const Lock lock(m_mutex.Get());
    return m_returnTo;
}

uint64_t SearchResults::Generation() const {
    const Lock lock(m_mutex.Get());
    return m_generation;
}

std::vector<structFindThreadInfo> SearchResults::Snapshot() const {
    const Lock lock(m_mutex.Get());
    return m_items;
}

std::vector<structFindThreadInfo> SearchResults::SnapshotFrom(size_t first) const {
    const Lock lock(m_mutex.Get());
    if (first >= m_items.size()) return {};
    return {m_items.begin() + static_cast<std::ptrdiff_t>(first), m_items.end()};
}

std::vector<FindProblem> SearchResults::Problems() const {
    const Lock lock(m_mutex.Get());
    return m_problems;
}

bool SearchResults::DirectoryOf(size_t index, std::wstring& directory) const {
    const Lock lock(m_mutex.Get());
    if (index >= m_items.size()) return false;
    directory = m_items[index].directory;
    return true;
}

}  // namespace zq
