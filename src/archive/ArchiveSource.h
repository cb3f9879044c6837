#pragma once
// An archive file as a Filer location: "C:\d\a.zip" is the archive's root,
// "C:\d\a.zip\docs\img" a folder inside it.  Each pane has its own source, so
// each pane holds its own archive open while it shows one.
#include <functional>
#include <string>

#include "archive/ArchiveHandle.h"
#include "filer/ArchiveSide.h"
#include "filer/ListingSource.h"

namespace zq {

class ArchiveSource final : public IListingSource, public IArchiveSide {
  public:
    // `libraryPath` is asked each time an archive is opened, so that a
    // changed setting applies to the next archive entered.
    // `plugins` (may be null) lists what no archiver row serves.
    explicit ArchiveSource(std::function<std::wstring()> libraryPath, IArchivePlugins* plugins = nullptr)
        : m_libraryPath(std::move(libraryPath)) {
        m_archive.SetPlugins(plugins);
    }

    // A location splits into the archive file and the folder inside it.
    struct Location {
        std::wstring archive;  // full path of the archive file
        std::wstring folder;   // "" at its root
    };
    // The archive file is the first component, from the left, that is a file on disk.
    [[nodiscard]] static bool Split(const std::wstring& location, Location& split);

    [[nodiscard]] bool Claims(const std::wstring& location) override;
    void Release() override { m_archive.Close(); }
    [[nodiscard]] bool Reachable(const std::wstring& path) override;
    [[nodiscard]] bool CanEnter(const std::wstring& path) override;
    void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                   const std::function<bool(FileEntry&)>& take) override;
    [[nodiscard]] bool Describe(const std::wstring& path, FileEntry& own) override;
    [[nodiscard]] ListingUp Up(const std::wstring& path) override { return DirectoryUp(path); }
    [[nodiscard]] bool Watchable() const override { return false; }
    [[nodiscard]] bool ReadEntry(const std::wstring& directory, const std::wstring& name, std::size_t limit,
                                 HLOCAL& block, std::size_t& length) override;

    [[nodiscard]] bool DescribeArchiveSide(const std::wstring& location, StructArchiveSide& side) override;

    [[nodiscard]] const ArchiveHandle& Archive() const noexcept { return m_archive; }

  private:
    // The archive of `location` open in the handle, opening it when another was; the folder in `folder`.
    [[nodiscard]] bool Ensure(const std::wstring& location, std::wstring& folder);

    std::function<std::wstring()> m_libraryPath;
    ArchiveHandle m_archive;
    FILETIME m_openedWriteTime{};
};

}  // namespace zq
