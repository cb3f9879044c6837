#pragma once
// The "ファイル選択" patterns of a copy: which files found inside a walked
// directory the job takes, and the editing of the two pattern lists.
#include <string>
#include <string_view>
#include <vector>

namespace zq::fileops {

class CopyFileFilter {
  public:
    CopyFileFilter() = default;
    CopyFileFilter(std::vector<std::wstring> include, std::vector<std::wstring> exclude);

    // True when neither list holds a pattern: everything passes.
    [[nodiscard]] bool Empty() const noexcept { return m_include.empty() && m_exclude.empty(); }
    // A file name (no directory) passes when it matches no exclude pattern and
    // either the include list is empty or it matches one of its patterns.
    [[nodiscard]] bool Passes(std::wstring_view name) const;

  private:
    std::vector<std::wstring> m_include;
    std::vector<std::wstring> m_exclude;
};

// Adds the patterns typed into one field ("*.txt;*.doc") to list; blanks around
// a pattern, empty pieces and patterns already in the list (ignoring case) are
// dropped.  Returns how many were added.
size_t AddPatterns(std::vector<std::wstring>& list, std::wstring_view typed);

}  // namespace zq::fileops
