#pragma once
// Where a Filer pane's entries come from.  A real directory is the source
// today; the drive list, the network, virtual drives, search results and
// archives are further sources behind the same four questions, and tests give
// a pane a listing of their own without a disk.
#include <functional>
#include <string>

#include "filer/FileEntry.h"

namespace zq {

class IListingSource {
  public:
    virtual ~IListingSource() = default;
    // Whether the drive or share that holds `path` answers at all now.
    [[nodiscard]] virtual bool Reachable(const std::wstring& path) = 0;
    // Whether a pane can enter `path`; a pane leaves upwards until it can.
    [[nodiscard]] virtual bool CanEnter(const std::wstring& path) = 0;
    // Every entry of `directory` that `pattern` matches, "." and ".." included
    // as the platform lists them; `take` returns false to stop.
    virtual void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                           const std::function<bool(FileEntry&)>& take) = 0;
    // The record of `path` itself (its times and attributes), for the "." and ".." lines.
    [[nodiscard]] virtual bool Describe(const std::wstring& path, FileEntry& own) = 0;
};

// The file system, through the platform's find functions.
class DirectorySource final : public IListingSource {
  public:
    [[nodiscard]] bool Reachable(const std::wstring& path) override;
    [[nodiscard]] bool CanEnter(const std::wstring& path) override;
    void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                   const std::function<bool(FileEntry&)>& take) override;
    [[nodiscard]] bool Describe(const std::wstring& path, FileEntry& own) override;

    // The one every pane reads through unless it is given another.
    static DirectorySource& Shared();
};

}  // namespace zq
