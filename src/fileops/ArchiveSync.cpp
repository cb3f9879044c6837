#include "fileops/ArchiveSync.h"

#include "common/Paths.h"
#include "external/GuardedLibrary.h"
#include "fileops/SyncJob.h"

namespace zq::fileops {

namespace {

// The sizes the library's callers have always handed it: a longer line is not made.
constexpr size_t kCommandBytes = 60000;
constexpr DWORD kOutputBytes = 30000;

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::wstring WithBackslash(const std::wstring& directory) {
    return !directory.empty() && directory.back() == L'\\' ? directory : directory + L"\\";
}

bool EndsWithZip(const std::wstring& name) {
    return name.size() > 4 && ::CompareStringOrdinal(name.c_str() + name.size() - 4, 4, L".zip", 4, TRUE) == CSTR_EQUAL;
}

// One call of the library's command entry, the library loaded for it and let go after.
bool CallArchiver(const std::wstring& libraryPath, const std::string& prefix, HWND owner, const std::wstring& line) {
    const auto ansi = AnsiText(line);
    if (!ansi || ansi->size() >= kCommandBytes) return false;
    GuardedLibrary library(libraryPath);
    const auto command = library.Find<int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD)>(prefix.c_str());
    if (!command) return false;
    std::string output(kOutputBytes, '\0');
    const auto answer = command(owner, ansi->c_str(), output.data(), kOutputBytes);
    return answer && *answer == 0;
}

bool MakeDirectories(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring parent(ParentPart(path));
    if (!parent.empty() && parent != path && !MakeDirectories(parent)) return false;
    return ::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::wstring ArchiveExtractCommand(int kind, const std::wstring& archive, const std::wstring& target,
                                   const std::wstring& member) {
    if (kind != 0 && kind != 1) return {};
    const std::wstring switches = kind == 0 ? L"e -d0 -c1 -m1 -p1 " : L"-x -j -o ";
    return switches + Quoted(archive) + L" " + Quoted(WithBackslash(target)) + L" " + Quoted(member);
}

std::wstring ArchiveAddCommand(int kind, const std::wstring& archive, const std::wstring& base,
                               const std::vector<std::wstring>& files) {
    if (kind != 0 && kind != 1) return {};
    const std::wstring switches = kind == 0 ? L"a -d1 -c1" : L"-r -S";
    const std::wstring named = EndsWithZip(archive) ? archive.substr(0, archive.size() - 4) : archive;
    std::wstring line = switches + L" " + Quoted(named) + L" " + Quoted(WithBackslash(base));
    for (const std::wstring& file : files) line += L" " + Quoted(file);
    return line;
}

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
        if (!CallArchiver(archive.libraryPath, archive.extractPrefix, owner,
                          ArchiveExtractCommand(archive.kind, archivePath, target, line.relativePath)))
            allDone = false;
    }
    std::vector<std::wstring> files;
    for (const StructSyncData& line : lines)
        if (line.direction == intoArchive) files.push_back(line.relativePath);
    if (files.empty()) return allDone;
    return CallArchiver(archive.libraryPath, archive.addPrefix, owner,
                        ArchiveAddCommand(archive.kind, archivePath, directory, files)) &&
           allDone;
}

}  // namespace zq::fileops
