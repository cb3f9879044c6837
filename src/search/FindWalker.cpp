#include "search/FindWalker.h"

#include <cwchar>
#include <memory>

#include "common/Handle.h"
#include "common/Paths.h"
#include "common/Wildcard.h"

namespace zq {

namespace {

bool IsDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool IsDirectory(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// An empty answer is not a fault: the pattern simply matched nothing.
bool IsEmptyAnswer(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

}  // namespace

FindWalker::FindWalker(IFileSystem& fs, FindRequest request)
    : m_fs(fs),
      m_request(std::move(request)),
      m_patterns(BuildPatternSet(m_request.searchText, m_request.codes)),
      m_matcher(m_patterns) {}

void FindWalker::Note(FindProblem::Kind kind, const std::wstring& path, DWORD error, FindProgress* progress) {
    m_problems.push_back({kind, path, error});
    if (progress) progress->problems.fetch_add(1);
}

bool FindWalker::ListMatches(const std::wstring& directory, const Deliver& deliver, const std::atomic<bool>& stop,
                             FindProgress* progress) {
    WIN32_FIND_DATAW data{};
    ::SetLastError(0);
    UniqueFind find(m_fs.FindFirst(JoinPath(directory, m_request.nameCondition), &data));
    if (!find) {
        const DWORD error = ::GetLastError();
        if (IsEmptyAnswer(error)) return true;
        Note(FindProblem::Kind::MissingDirectory, directory, error, progress);
        return false;
    }
    const bool contentWanted = !m_patterns.Empty();
    do {
        if (stop.load()) return true;
        if (IsDots(data.cFileName)) continue;
        if (m_request.neglectDosNames && !WildcardMatch(data.cFileName, m_request.nameCondition)) continue;
        if (!EntryPassesConditions(data, m_request.conditions)) continue;
        if (progress) progress->files.fetch_add(1);
        if (contentWanted) {
            // Only a file has content to hold the text.
            if (IsDirectory(data)) continue;
            const std::wstring path = JoinPath(directory, data.cFileName);
            DWORD error = 0;
            const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            const ContentResult result = m_matcher.Search(m_fs, path, &stop, &error, size);
            if (result == ContentResult::Unreadable) Note(FindProblem::Kind::UnreadableFile, path, error, progress);
            if (result != ContentResult::Found) continue;
        }
        structFindThreadInfo hit{};
        hit.find = data;
        std::wcsncpy(hit.directory, directory.c_str(), std::size(hit.directory) - 1);
        if (progress) progress->found.fetch_add(1);
        deliver(hit);
    } while (m_fs.FindNext(find.Get(), &data));
    return true;
}

bool FindWalker::Run(const Deliver& deliver, const std::atomic<bool>& stop, FindProgress* progress) {
    // A frame lists its own matches once, then hands out its subdirectories one by one.
    struct Frame {
        std::wstring directory;
        UniqueFind subdirectories;
        bool started = false;
    };
    std::vector<std::unique_ptr<Frame>> frames;
    // Kept as the panes keep a folder ("C:" for a root), asked about with its backslash:
    // a bare "C:" would name the current directory of drive C.
    const std::wstring root = FolderForm(m_request.directory);
    const DWORD attributes = m_fs.Attributes(IsRootPath(root) ? root + L"\\" : root);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Note(FindProblem::Kind::MissingDirectory, root, ::GetLastError(), progress);
        return true;
    }
    frames.push_back(std::make_unique<Frame>(Frame{root, UniqueFind(), false}));
    while (!frames.empty()) {
        if (stop.load()) return false;
        Frame& frame = *frames.back();
        WIN32_FIND_DATAW data{};
        bool got = false;
        if (!frame.started) {
            frame.started = true;
            if (progress) {
                progress->directories.fetch_add(1);
                progress->SetCurrent(frame.directory);
            }
            if (!ListMatches(frame.directory, deliver, stop, progress)) {
                frames.pop_back();
                continue;
            }
            if (stop.load()) return false;
            ::SetLastError(0);
            frame.subdirectories.Reset(m_fs.FindFirst(JoinPath(frame.directory, L"*.*"), &data));
            got = frame.subdirectories.Valid();
            if (!got && !IsEmptyAnswer(::GetLastError()))
                Note(FindProblem::Kind::MissingDirectory, frame.directory, ::GetLastError(), progress);
        } else {
            got = m_fs.FindNext(frame.subdirectories.Get(), &data);
        }
        if (!got) {
            frames.pop_back();
            continue;
        }
        // Reparse points (links, junctions) are not followed: they can lead back up the tree.
        if (!IsDirectory(data) || IsDots(data.cFileName) || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        frames.push_back(
            std::make_unique<Frame>(Frame{JoinPath(frame.directory, data.cFileName), UniqueFind(), false}));
    }
    return true;
}

}  // namespace zq
