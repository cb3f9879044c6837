#pragma once
// The synchronised copy when one side is an archive: the files are taken out
// with the archiver library's extract command, one call per file, and put in
// with its add command, one call for all of them.  Only the two archive kinds
// 0 (the LHA family) and 1 (the ZIP family) take part; any other kind does
// nothing.  It runs on the window thread: the library shows its own progress.
#include <windows.h>

#include <string>
#include <vector>

#include "external/ArchiverCommand.h"
#include "fileops/CopyInterfaces.h"
#include "fileops/SyncList.h"

namespace zq::fileops {

struct ArchiveSyncSide {
    int kind = -1;  // 0 or 1
    std::wstring archiveDirectory;
    std::wstring archiveName;
    std::wstring libraryPath;   // the archiver library of that kind
    std::string extractPrefix;  // the command entry that takes files out ("UnZip")
    std::string addPrefix;      // the one that puts files in ("Zip")
};

// Carries out every line whose direction points out of the archive (into
// `directory`, creating the line's folders there first) and then every line
// that points into it.  `archiveIsSource`: the archive is the side the lines'
// direction 1 starts from.  False when a step failed; what was done stays done.
bool RunArchiveSync(const ArchiveSyncSide& archive, bool archiveIsSource, const std::wstring& directory,
                    const std::vector<StructSyncData>& lines, HWND owner, IOperationAsker& asker);

}  // namespace zq::fileops
