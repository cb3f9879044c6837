#pragma once
// The directories where the Filer shows thumbnails (LOAD_PREVIEW DIR%d and
// TYPE%d).  The type number says how the cells are sized; its bit 0x100 marks
// an entry switched on together with its subdirectories.
#include <optional>
#include <string>
#include <vector>

namespace zq {

class PreviewDirectories {
  public:
    struct Entry {
        std::wstring directory;
        unsigned type = 0;
    };
    static constexpr unsigned kWithChildren = 0x100;

    PreviewDirectories() = default;
    explicit PreviewDirectories(std::vector<Entry> entries);
    [[nodiscard]] const std::vector<Entry>& Entries() const noexcept { return m_entries; }

    // Switches a directory on (again: the entry moves to the new choice).
    void Enable(const std::wstring& directory, bool withChildren, unsigned type = 0);
    // Switches it off; a directory that is on through a parent gets an entry
    // of its own only when it was on by itself, so the parent's entry goes.
    void Disable(const std::wstring& directory);
    // The entry that puts the directory on, if any: its own, else the nearest
    // parent switched on with its subdirectories.
    [[nodiscard]] std::optional<Entry> Find(const std::wstring& directory) const;

  private:
    std::vector<Entry> m_entries;
};

}  // namespace zq
