#pragma once
// Building the list of pictures the Graphic mode steps through: a file is
// taken when some plug-in claims its name, a shortcut stands for its target,
// and a directory is walked depth first (with `sortByName`, each directory's
// files by name before its subdirectories, else in the order the file system
// gives them).
#include <functional>
#include <string>
#include <vector>

#include "common/FileSystem.h"

namespace zq::picture {

struct PictureListRules {
    std::function<bool(const std::wstring& name)> claims;
    // A shortcut's target, empty when it cannot be resolved.
    std::function<std::wstring(const std::wstring& path)> resolveLink;
    bool sortByName = false;
};

class PictureListBuilder {
  public:
    PictureListBuilder(IFileSystem& fs, PictureListRules rules) : m_fs(fs), m_rules(std::move(rules)) {}

    // Adds what `path` stands for: the file itself or the pictures below the directory.
    void Add(const std::wstring& path, bool isDirectory);
    [[nodiscard]] const std::vector<std::wstring>& Pictures() const noexcept { return m_pictures; }
    [[nodiscard]] std::vector<std::wstring> Take() { return std::move(m_pictures); }

  private:
    void AddFile(const std::wstring& path);
    void AddDirectory(const std::wstring& directory, int depth);

    IFileSystem& m_fs;
    PictureListRules m_rules;
    std::vector<std::wstring> m_pictures;
};

}  // namespace zq::picture
