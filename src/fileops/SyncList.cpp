#include "fileops/SyncList.h"

#include <cwchar>
#include <memory>
#include <unordered_map>

#include "common/Handle.h"
#include "common/Paths.h"
#include "common/TreeWalk.h"
#include "filer/LocalClock.h"

namespace zq::fileops {
namespace {

void CollectTree(IFileSystem& fs, const std::wstring& directory, const std::wstring& name,
                 std::vector<SyncSideFile>& out) {
    TreeWalker<> walk(fs);
    walk.Enter(JoinPath(directory, name), name);
    WIN32_FIND_DATAW data{};
    for (;;) {
        switch (walk.Next(data)) {
            case TreeWalker<>::Step::Finished:
                return;
            case TreeWalker<>::Step::DirectoryDone:
                walk.Leave();
                break;
            case TreeWalker<>::Step::LinkBackUp:
            case TreeWalker<>::Step::Link:
                break;
            case TreeWalker<>::Step::Entry: {
                const std::wstring relative = walk.Top().relativePath + L"\\" + data.cFileName;
                if (DirectoryEnumerator::IsDirectory(data)) {
                    walk.Enter(JoinPath(walk.Top().Path(), data.cFileName), relative);
                } else {
                    out.push_back({relative, data.ftLastWriteTime});
                }
                break;
            }
        }
    }
}

// The form two member paths are compared in.
std::wstring MemberKey(std::wstring path) {
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (!path.empty()) ::CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

}  // namespace

std::vector<SyncSideFile> CollectSelectedFiles(IFileSystem& fs, const SelectionSnapshot& selection) {
    std::vector<SyncSideFile> files;
    for (size_t i = 0; i < selection.Count(); ++i) {
        const FileEntry& entry = selection.entries[i];
        if (SelectionSnapshot::IsDirectory(entry)) {
            CollectTree(fs, selection.DirectoryOf(i), entry.cFileName, files);
        } else {
            files.push_back({entry.cFileName, entry.ftLastWriteTime});
        }
    }
    return files;
}

SyncLookup DirectoryLookup(IFileSystem& fs, std::wstring directory) {
    return [&fs, directory = std::move(directory)](const std::wstring& relative, FILETIME& lastWrite) {
        WIN32_FIND_DATAW data{};
        UniqueFind find(fs.FindFirst(JoinPath(directory, relative), &data));
        // A directory of the file's name is no counterpart: nothing can be compared with it.
        if (!find || DirectoryEnumerator::IsDirectory(data)) return false;
        lastWrite = data.ftLastWriteTime;
        return true;
    };
}

SyncLookup ArchiveLookup(const std::vector<SyncSideFile>& members) {
    auto times = std::make_shared<std::unordered_map<std::wstring, FILETIME>>();
    for (const SyncSideFile& member : members) times->emplace(MemberKey(member.relativePath), member.lastWrite);
    return [times](const std::wstring& relative, FILETIME& lastWrite) {
        const auto found = times->find(MemberKey(relative));
        if (found == times->end()) return false;
        lastWrite = found->second;
        return true;
    };
}

unsigned ProposedDirection(bool exists, const FILETIME& source, const FILETIME& destination, bool includeMissing) {
    if (!exists) return includeMissing ? kSyncToDestination : kSyncNone;
    const LONG order = ::CompareFileTime(&source, &destination);
    if (order > 0) return kSyncToDestination;
    if (order < 0) return kSyncToSource;
    return kSyncNone;
}

std::vector<StructSyncData> BuildSyncList(const std::vector<SyncSideFile>& sourceFiles, const SyncLookup& destination,
                                          bool includeMissing) {
    std::vector<StructSyncData> lines;
    lines.reserve(sourceFiles.size());
    for (const SyncSideFile& file : sourceFiles) {
        StructSyncData line;
        line.relativePath = file.relativePath;
        line.sourceTime = file.lastWrite;
        line.existsOnDestination = destination(file.relativePath, line.destinationTime);
        line.direction =
            ProposedDirection(line.existsOnDestination, line.sourceTime, line.destinationTime, includeMissing);
        lines.push_back(std::move(line));
    }
    return lines;
}

const wchar_t* DirectionSymbol(const StructSyncData& line) {
    switch (line.direction) {
        case kSyncToDestination:
            return line.existsOnDestination ? L"▼" : L"▽";
        case kSyncToSource:
            return L"▲";
        default:
            return L"×";
    }
}

void PointToDestination(StructSyncData& line) {
    line.direction = kSyncToDestination;
}

// Nothing can come back from a side that does not have the file.
void PointToSource(StructSyncData& line) {
    line.direction = line.existsOnDestination ? kSyncToSource : kSyncNone;
}

void PointNowhere(StructSyncData& line) {
    line.direction = kSyncNone;
}

std::wstring FormatSyncTime(const LocalClock& clock, const FILETIME& time) {
    SYSTEMTIME local{};
    if (!clock.ToLocal(time, local)) return {};
    wchar_t text[32] = {};
    swprintf(text, 32, L"%04d/%02d/%02d %02d:%02d:%02d", local.wYear, local.wMonth, local.wDay, local.wHour,
             local.wMinute, local.wSecond);
    return text;
}

}  // namespace zq::fileops
