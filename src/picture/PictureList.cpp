#include "picture/PictureList.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "common/Paths.h"
#include "common/TreeWalk.h"

namespace zq::picture {

namespace {

// A directory loop made of links must not walk for ever.
constexpr int kMaxDepth = 64;

bool IsShortcut(std::wstring_view name) {
    return name.size() > 4 && ::StrCmpIW(std::wstring(name.substr(name.size() - 4)).c_str(), L".lnk") == 0;
}

}  // namespace

void PictureListBuilder::Add(const std::wstring& path, bool isDirectory) {
    if (isDirectory)
        AddDirectory(path, 0);
    else
        AddFile(path);
}

void PictureListBuilder::AddFile(const std::wstring& path) {
    std::wstring target = path;
    if (IsShortcut(FileNamePart(path))) {
        if (!m_rules.resolveLink) return;
        target = m_rules.resolveLink(path);
        if (target.empty()) return;
    }
    if (m_rules.claims && m_rules.claims(std::wstring(FileNamePart(target)))) m_pictures.push_back(target);
}

void PictureListBuilder::AddDirectory(const std::wstring& directory, int depth) {
    if (depth > kMaxDepth) return;
    DirectoryEnumerator entries(m_fs, directory);
    WIN32_FIND_DATAW data{};
    if (!m_rules.sortByName) {
        while (entries.Next(data)) {
            const std::wstring path = JoinPath(directory, data.cFileName);
            if (DirectoryEnumerator::IsDirectory(data))
                AddDirectory(path, depth + 1);
            else
                AddFile(path);
        }
        return;
    }
    std::vector<std::wstring> files;
    std::vector<std::wstring> directories;
    while (entries.Next(data))
        (DirectoryEnumerator::IsDirectory(data) ? directories : files).emplace_back(data.cFileName);
    entries.Close();
    const auto byName = [](const std::wstring& a, const std::wstring& b) {
        return ::StrCmpIW(a.c_str(), b.c_str()) < 0;
    };
    std::sort(files.begin(), files.end(), byName);
    std::sort(directories.begin(), directories.end(), byName);
    for (const std::wstring& name : files) AddFile(JoinPath(directory, name));
    for (const std::wstring& name : directories) AddDirectory(JoinPath(directory, name), depth + 1);
}

}  // namespace zq::picture
