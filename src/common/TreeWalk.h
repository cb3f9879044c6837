#pragma once
// Directory walks through a file system: one enumerator for the entries of
// one directory, and one depth-first tree walker built on it, for every walk
// the program makes (copy, delete and their counts; search, directory size
// and synchronised copy to come).
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/FileSystem.h"
#include "common/Handle.h"
#include "common/Paths.h"

namespace zq {

// The entries of one directory that match a pattern, "." and ".." passed
// over.  The search starts at the first Next(), so a walk opens a directory
// only when it reaches it; Close() lets go of it early (a directory can be
// removed only once nothing holds it open).
class DirectoryEnumerator {
  public:
    DirectoryEnumerator(IFileSystem& fs, std::wstring directory, const wchar_t* pattern = L"*.*")
        : m_fs(&fs), m_directory(std::move(directory)), m_pattern(pattern) {}

    // The next entry; false at the end, or when the directory cannot be read.
    bool Next(WIN32_FIND_DATAW& data) {
        for (;;) {
            if (m_done) return false;
            bool got = false;
            if (!m_started) {
                m_started = true;
                m_find.Reset(m_fs->FindFirst(JoinPath(m_directory, m_pattern), &data));
                got = m_find.Valid();
            } else {
                got = m_fs->FindNext(m_find.Get(), &data);
            }
            if (!got) {
                Close();
                return false;
            }
            if (!IsDots(data.cFileName)) return true;
        }
    }
    void Close() {
        m_find.Reset();
        m_done = true;
    }
    [[nodiscard]] const std::wstring& Directory() const noexcept { return m_directory; }

    [[nodiscard]] static bool IsDots(const wchar_t* name) noexcept {
        return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
    }
    [[nodiscard]] static bool IsDirectory(const WIN32_FIND_DATAW& data) noexcept {
        return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

  private:
    IFileSystem* m_fs;
    std::wstring m_directory;
    const wchar_t* m_pattern;
    UniqueFind m_find;
    bool m_started = false;
    bool m_done = false;
};

// Whether a directory entry is a link (a junction, a symbolic link, or
// under Wine a Unix link, which carries no attribute that says so): its final
// path `found` is not its parent's final path with its name joined.  When
// either final path could not be asked, only the reparse-point attribute can
// tell.
inline bool LeadsElsewhere(const std::wstring& found, const std::wstring& parentFinal, const WIN32_FIND_DATAW& data) {
    if (found.empty() || parentFinal.empty()) return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return !SamePath(found, JoinPath(parentFinal, data.cFileName));
}

// Whether the directory entry `data` of `parent` is a link.
inline bool IsDirectoryLink(IFileSystem& fs, const std::wstring& parent, const WIN32_FIND_DATAW& data) {
    return LeadsElsewhere(fs.FinalPath(JoinPath(parent, data.cFileName)), fs.FinalPath(parent), data);
}

struct NoFrameData {};

// A depth-first walk, one entry at a time and without recursion, so that a
// worker can stop between any two entries and a deep tree costs no stack.
// The caller chooses which directories to enter, and hears when one has been
// read to its end, before the walk goes back out, so that it can remove the
// directory or set its times.  A directory that leads through a link back up
// to the one being walked is reported and never entered.  A walker made with
// `reportLinks` also reports every other directory reached through a link,
// so that a delete removes the link and never what it leads to.  Extra is
// what the caller keeps per directory (a copy's destination and times).
template <typename Extra = NoFrameData>
class TreeWalker {
  public:
    struct Frame {
        Frame(IFileSystem& fs, std::wstring path, std::wstring relative)
            : entries(fs, std::move(path)), relativePath(std::move(relative)) {}
        DirectoryEnumerator entries;
        // From the directory that holds the first directory entered; starts with that one's name.
        std::wstring relativePath;
        // The directory's path with every link resolved, once asked for.
        std::wstring finalPath;
        Extra extra{};

        [[nodiscard]] const std::wstring& Path() const noexcept { return entries.Directory(); }
    };

    enum class Step {
        Entry,          // an entry of Top()'s directory, in data
        LinkBackUp,     // a directory of Top()'s that leads back up, in data; not entered
        Link,           // (reportLinks only) a directory of Top()'s that is a link elsewhere, in data
        DirectoryDone,  // Top() has been read to its end; Leave() it to go on
        Finished,       // no directory is being walked
    };

    explicit TreeWalker(IFileSystem& fs, bool reportLinks = false) : m_fs(fs), m_reportLinks(reportLinks) {}

    // Enters a directory (its full path): its entries come next, before the
    // rest of the directory that holds it.
    Frame& Enter(std::wstring path, std::wstring relativePath) {
        m_frames.push_back(std::make_unique<Frame>(m_fs, std::move(path), std::move(relativePath)));
        return *m_frames.back();
    }

    Step Next(WIN32_FIND_DATAW& data) {
        if (m_frames.empty()) return Step::Finished;
        Frame& top = *m_frames.back();
        if (!top.entries.Next(data)) return Step::DirectoryDone;
        if (!DirectoryEnumerator::IsDirectory(data)) return Step::Entry;
        if (top.finalPath.empty()) top.finalPath = m_fs.FinalPath(top.Path());
        const std::wstring found = m_fs.FinalPath(JoinPath(top.Path(), data.cFileName));
        if (!LeadsElsewhere(found, top.finalPath, data)) return Step::Entry;
        // A link: it loops when it leads to any directory being walked, or
        // above one (a chain of links can come back to where the walk began).
        for (const auto& frame : m_frames) {
            if (!found.empty() && !frame->finalPath.empty() && IsSameOrBelow(frame->finalPath, found))
                return Step::LinkBackUp;
        }
        return m_reportLinks ? Step::Link : Step::Entry;
    }

    [[nodiscard]] bool Walking() const noexcept { return !m_frames.empty(); }
    [[nodiscard]] Frame& Top() { return *m_frames.back(); }
    // Closes Top()'s directory and goes back out to the one that holds it.
    void Leave() {
        if (!m_frames.empty()) m_frames.pop_back();
    }
    void Clear() { m_frames.clear(); }

  private:
    IFileSystem& m_fs;
    bool m_reportLinks;
    std::vector<std::unique_ptr<Frame>> m_frames;
};

// Calls onFile(data) for every file below directory, entering every directory
// but those that lead back up the tree, until onFile answers false.  Answers
// false when it was stopped that way.
template <typename OnFile>
bool ForEachFileInTree(IFileSystem& fs, const std::wstring& directory, OnFile onFile) {
    TreeWalker<> walk(fs);
    walk.Enter(directory, std::wstring());
    WIN32_FIND_DATAW data{};
    for (;;) {
        switch (walk.Next(data)) {
            case TreeWalker<>::Step::Finished:
                return true;
            case TreeWalker<>::Step::DirectoryDone:
                walk.Leave();
                break;
            case TreeWalker<>::Step::LinkBackUp:
                break;
            case TreeWalker<>::Step::Link:  // not reported by this walker
            case TreeWalker<>::Step::Entry:
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    walk.Enter(JoinPath(walk.Top().Path(), data.cFileName), std::wstring());
                } else if (!onFile(static_cast<const WIN32_FIND_DATAW&>(data))) {
                    return false;
                }
                break;
        }
    }
}

}  // namespace zq
