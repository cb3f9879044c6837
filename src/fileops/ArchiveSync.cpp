#include "fileops/ArchiveSync.h"

#include "common/Paths.h"
#include "external/ArchiverCommand.h"
#include "external/GuardedLibrary.h"
#include "fileops/SyncJob.h"

namespace zq::fileops {

namespace {

// The size of line the libraries of both families have always been handed: a longer one is not made.
constexpr size_t kCommandBytes = 60000;

bool Called(const ArchiveSyncSide& archive, const std::string& prefix, HWND owner, const std::wstring& line) {
    const auto ansi = AnsiText(line);
    if (!ansi || ansi->size() >= kCommandBytes) return false;
    // The library's own progress window stands for ours here.
    return CallArchiverCommand(archive.libraryPath, prefix, line, nullptr, owner) == 0;
}

bool MakeDirectories(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring parent(ParentPart(path));
    if (!parent.empty() && parent != path && !MakeDirectories(parent)) return false;
    return ::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool RunArchiveSync(const ArchiveSyncSide& archive, bool archiveIsSource, const std::wstring& directory,
                    const std::vector<StructSyncData>& lines, HWND owner, IOperationAsker& asker) {
    if (archive.kind != 0 && archive.kind != 1) return false;
    const unsigned outOfArchive = archiveIsSource ? kSyncToDestination : kSyncToSource;
    const unsigned intoArchive = archiveIsSource ? kSyncToSource : kSyncToDestination;
    const std::wstring archivePath = JoinPath(archive.archiveDirectory, archive.archiveName);
    bool allDone = true;
    for (const StructSyncData& line : lines) {
        if (line.direction != outOfArchive) continue;
        const std::wstring folder(ParentPart(line.relativePath));
        const std::wstring target = folder.empty() ? directory : JoinPath(directory, folder);
        if (!MakeDirectories(target)) {
            asker.Tell(kSyncMakeDirectoryFailedText);
            return false;
        }
        if (!Called(archive, archive.extractPrefix, owner,
                    ArchiveExtractCommand(archive.kind, archivePath, target, line.relativePath)))
            allDone = false;
    }
    std::vector<std::wstring> files;
    for (const StructSyncData& line : lines)
        if (line.direction == intoArchive) files.push_back(line.relativePath);
    if (files.empty()) return allDone;
    return Called(archive, archive.addPrefix, owner, ArchiveAddCommand(archive.kind, archivePath, directory, files)) &&
           allDone;
}

}  // namespace zq::fileops
