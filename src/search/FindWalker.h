#pragma once
// The search walk: depth first below the request's directory, a directory's
// own matches before those of its subdirectories.  A directory that cannot
// be listed (gone since its parent was read, no access) and a file that
// cannot be read are noted and passed over.
//
//   FindWalker walker(fs, request);
//   walker.Run([&](const structFindThreadInfo& hit) { store.Add(hit); }, stopFlag, &progress);
//   for (const FindProblem& p : walker.Problems()) ...
#include <atomic>
#include <functional>
#include <vector>

#include "common/FileSystem.h"
#include "search/ContentMatcher.h"
#include "search/FindRequest.h"

namespace zq {

class FindWalker {
  public:
    FindWalker(IFileSystem& fs, FindRequest request);
    using Deliver = std::function<void(const structFindThreadInfo&)>;
    // False when stopped before the end.
    bool Run(const Deliver& deliver, const std::atomic<bool>& stop, FindProgress* progress = nullptr);
    [[nodiscard]] const std::vector<FindProblem>& Problems() const noexcept { return m_problems; }

  private:
    // The matches of one directory; false when the directory could not be listed.
    bool ListMatches(const std::wstring& directory, const Deliver& deliver, const std::atomic<bool>& stop,
                     FindProgress* progress);
    void Note(FindProblem::Kind kind, const std::wstring& path, DWORD error, FindProgress* progress);

    IFileSystem& m_fs;
    FindRequest m_request;
    FindPatternSet m_patterns;
    ContentMatcher m_matcher;
    std::vector<FindProblem> m_problems;
};

}  // namespace zq
