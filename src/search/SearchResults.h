#pragma once
// The results of the last search, shared by the worker that fills them and
// the pane that lists them, under the named mutex "hZqFindFileInfo"; the
// search dialog's own list keeps its results under "hZqFindMutex".
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/Handle.h"
#include "search/FindRequest.h"

namespace zq {

class SearchResults {
  public:
    explicit SearchResults(const wchar_t* mutexName = L"hZqFindFileInfo");
    SearchResults(const SearchResults&) = delete;
    SearchResults& operator=(const SearchResults&) = delete;

    // The one store of the process.
    static SearchResults& Shared();

    // A new search: the old results go; `returnTo` is where leaving the results leads.
    void Begin(const std::wstring& returnTo);
    void Add(const structFindThreadInfo& hit);
    void SetProblems(std::vector<FindProblem> problems);

    [[nodiscard]] bool Started() const;
    [[nodiscard]] std::wstring ReturnTo() const;
    // Changes with every Begin and Add, so that a reader knows when to list anew.
    [[nodiscard]] uint64_t Generation() const;
    [[nodiscard]] std::vector<structFindThreadInfo> Snapshot() const;
    // The results from index `first` on: what a reader that has the ones before still lacks.
    [[nodiscard]] std::vector<structFindThreadInfo> SnapshotFrom(size_t first) const;
    [[nodiscard]] std::vector<FindProblem> Problems() const;
    // The directory of result `index`; false when there is no such result.
    [[nodiscard]] bool DirectoryOf(size_t index, std::wstring& directory) const;

  private:
    class Lock {
      public:
        explicit Lock(HANDLE mutex);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        HANDLE m_mutex;
        bool m_owned;
    };

    UniqueHandle m_mutex;
    bool m_started = false;
    uint64_t m_generation = 0;
    std::wstring m_returnTo;
    std::vector<structFindThreadInfo> m_items;
    std::vector<FindProblem> m_problems;
};

}  // namespace zq
