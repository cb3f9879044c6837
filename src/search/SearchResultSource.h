#pragma once
// The results of the last search as a Filer location: each found entry is
// listed under its own name and handed out with the directory it was found
// in, so that copying, deleting and viewing act on the real file.
#include <string>

#include "filer/ListingSource.h"
#include "search/SearchResults.h"

namespace zq {

// The location a pane shows the results at; also the pane's title.
inline constexpr const wchar_t* kSearchResultLocation = L"検索結果";

class SearchResultSource final : public IListingSource {
  public:
    explicit SearchResultSource(SearchResults& results = SearchResults::Shared()) : m_results(results) {}

    [[nodiscard]] bool Claims(const std::wstring& location) override;
    [[nodiscard]] bool Reachable(const std::wstring& path) override { return Claims(path); }
    [[nodiscard]] bool CanEnter(const std::wstring& path) override { return Claims(path); }
    void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                   const std::function<bool(FileEntry&)>& take) override;
    // The results have no record of their own: no "." and ".." lines.
    [[nodiscard]] bool Describe(const std::wstring& path, FileEntry& own) override;
    // Leaving the results goes back to where the search was started from.
    [[nodiscard]] ListingUp Up(const std::wstring& path) override;
    [[nodiscard]] bool Watchable() const override { return false; }
    [[nodiscard]] std::wstring EntryDirectory(const std::wstring& location, const FileEntry& entry) const override;
    [[nodiscard]] bool EntriesOnDisk() const override { return true; }

    // Results whose file is gone are checked for and left out up to this many;
    // beyond it a listing would wait on the disk at every read.
    static constexpr size_t kExistenceCheckLimit = 2000;

  private:
    SearchResults& m_results;
};

}  // namespace zq
