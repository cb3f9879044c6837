#pragma once
// The folders of a directory tree as far as they have been opened: each
// folder's sub-folder names, read from the disk the first time the folder is
// opened and then served from here.  Kept in memory between two trees of one
// run, or in a file between runs, so that a large drive is not walked again;
// a folder that changed is read again when the user asks for it.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

class DirTreeCache {
  public:
    // Sub-folder names of a folder, or none when it cannot be read.
    using Reader = std::function<std::optional<std::vector<std::wstring>>(const std::wstring& folder)>;

    // The sub-folders of `folder` (any form: "C:", "c:\A\", …), sorted as the
    // tree shows them; read through `reader` unless known.  A folder that
    // cannot be read is not remembered, so it is tried again next time.
    const std::vector<std::wstring>& SubFolders(const std::wstring& folder, const Reader& reader);
    [[nodiscard]] bool Known(std::wstring_view folder) const;
    // Forgets the folder and every folder below it.
    void Forget(std::wstring_view folder);
    [[nodiscard]] bool Empty() const { return m_folders.empty(); }

    // One folder a line: its path, then each sub-folder name after a tab.
    [[nodiscard]] std::wstring Serialize() const;
    // Lines that do not hold a full path are skipped.
    [[nodiscard]] static DirTreeCache Parse(std::wstring_view text);
    // The file is UTF-16 with a byte-order mark, written to a temporary name and
    // then put in place, so a failed save keeps the last good one.
    bool Save(const std::wstring& path) const;
    [[nodiscard]] static DirTreeCache Load(const std::wstring& path);

    // The folders from the root of `path` down to `path` itself, in normal form.
    [[nodiscard]] static std::vector<std::wstring> Chain(std::wstring_view path);

  private:
    struct FoldLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    std::map<std::wstring, std::vector<std::wstring>, FoldLess> m_folders;
};

}  // namespace zq
