#pragma once
// An unpack into a folder that already holds some of the archive's names
// writes into a folder of its own inside the destination first; this puts
// what came out in its place as the move of a folder's contents does
// ("ディレクトリの内容をこのディレクトリへ"), so that a name already there meets the
// copy engine's same-name question and its log, never a silent overwrite.
#include <windows.h>

#include <string>

#include "fileops/CopyJob.h"

namespace zq {
struct Settings;
}

namespace zq::fileops {

// Moves everything below `staging` into `destination`.  True unless the user
// ended it or a step failed.  The questions name `shownAs` (the archive) as
// the source in place of the staging folder.  `options.sameName` comes back
// as the questions left it.  What stays in `staging` (skipped names) is the
// caller's to remove.
bool MoveStagedTree(const std::wstring& staging, const std::wstring& destination, const std::wstring& shownAs,
                    CopyJobOptions& options, IFileSystem& fs, IOperationAsker& asker);

}  // namespace zq::fileops

namespace zq {

// The same from a worker of the window `owner`: the copy settings are read
// and stored back on that window's thread, and the questions shown there.
bool MoveStagedFiles(Settings& settings, const std::wstring& programDir, const std::wstring& staging,
                     const std::wstring& destination, const std::wstring& shownAs, HWND owner);

}  // namespace zq
