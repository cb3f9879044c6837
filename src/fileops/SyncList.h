#pragma once
// The list of a synchronised copy: every file of the source side with its
// counterpart on the destination side, compared by last-write time, and the
// direction each file is to be copied in.  The dialog shows these lines and
// lets the user change the directions; the worker carries them out.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "fileops/SelectionSnapshot.h"

namespace zq {
class LocalClock;
}

namespace zq::fileops {

enum SyncDirection : unsigned {
    kSyncNone = 0,
    kSyncToDestination = 1,
    kSyncToSource = 2,
};

// One listed file.
struct StructSyncData {
    std::wstring relativePath;  // from the source side's directory
    unsigned direction = kSyncNone;
    bool existsOnDestination = false;
    FILETIME sourceTime{};
    FILETIME destinationTime{};  // meaningful only when the file exists there
};

// A file of one side: its path from that side's directory and its last-write time.
struct SyncSideFile {
    std::wstring relativePath;
    FILETIME lastWrite{};
};

// Looks a relative path up on the destination side: true, with its
// last-write time, when a file of that path is there.
using SyncLookup = std::function<bool(const std::wstring& relativePath, FILETIME& lastWrite)>;

// Every file of the selection, in its order: a selected file as itself, a
// selected directory as every file found below it.  Directories that lead
// back up through a link are not entered.
std::vector<SyncSideFile> CollectSelectedFiles(IFileSystem& fs, const SelectionSnapshot& selection);
// The lookup of a directory side: the file of that path below directory.
SyncLookup DirectoryLookup(IFileSystem& fs, std::wstring directory);
// The lookup of an archive side, from its members: a member of that path,
// letters of either case alike, a "/" like a backslash.
SyncLookup ArchiveLookup(const std::vector<SyncSideFile>& members);

// The direction a line starts with.
unsigned ProposedDirection(bool exists, const FILETIME& source, const FILETIME& destination, bool includeMissing);
std::vector<StructSyncData> BuildSyncList(const std::vector<SyncSideFile>& sourceFiles, const SyncLookup& destination,
                                          bool includeMissing);

// The "方式" column: "▼", "▲", "▽" (to a destination that lacks the file) or "×".
const wchar_t* DirectionSymbol(const StructSyncData& line);
// The three buttons: "▼", "▲" and "×".
void PointToDestination(StructSyncData& line);
void PointToSource(StructSyncData& line);
void PointNowhere(StructSyncData& line);

// A file time as the list shows it, in local time "YYYY/MM/DD hh:mm:ss".
std::wstring FormatSyncTime(const LocalClock& clock, const FILETIME& time);

}  // namespace zq::fileops
