#pragma once
// One directory being walked by a recursive operation (copy, delete).  Frames
// form a stack, newest first; each owns its find handle, so popping a frame or
// abandoning the whole stack closes every search.
#include <windows.h>

#include <memory>
#include <string>

#include "common/Handle.h"
#include "common/Paths.h"
#include "fileops/FileSystem.h"

namespace zq::fileops {

struct DirWalkFrame {
    UniqueFind find;
    // Relative to the directory that holds the top-level entry; starts with the
    // top-level entry's own name.
    std::wstring relativePath;
    bool firstEntryPending = true;
    // The directory's path with every link resolved, once asked for.
    std::wstring finalPath;
    // Copy only: where this directory's items go, and the source directory's times.
    std::wstring destination;
    FILETIME creationTime{};
    FILETIME lastAccessTime{};
    FILETIME lastWriteTime{};
    std::unique_ptr<DirWalkFrame> outer;
};

// Pushes a frame onto a stack held as its newest element.
inline DirWalkFrame& PushFrame(std::unique_ptr<DirWalkFrame>& top, std::unique_ptr<DirWalkFrame> frame) {
    frame->outer = std::move(top);
    top = std::move(frame);
    return *top;
}
inline void PopFrame(std::unique_ptr<DirWalkFrame>& top) {
    if (top) top = std::move(top->outer);
}
// Unlinks iteratively, so that a deep stack is not freed by deep recursion.
inline void ClearFrames(std::unique_ptr<DirWalkFrame>& top) {
    while (top) PopFrame(top);
}

// Whether the directory `sub` is, through a link, the directory whose final
// path is `walkedFinal` or one above it, so that walking it would never end.
// Texts cannot tell: only the paths the platform finally reaches.
inline bool LinksBackUp(IFileSystem& fs, const std::wstring& walkedFinal, const std::wstring& sub) {
    if (walkedFinal.empty()) return false;
    const std::wstring found = fs.FinalPath(sub);
    return !found.empty() && IsSameOrBelow(walkedFinal, found);
}

// The same for the directory `name` found in the frame's directory `walked`;
// the frame keeps its own final path once asked.
inline bool LeadsBackUp(IFileSystem& fs, DirWalkFrame& frame, const std::wstring& walked, const wchar_t* name) {
    if (frame.finalPath.empty()) frame.finalPath = fs.FinalPath(walked);
    return LinksBackUp(fs, frame.finalPath, JoinPath(walked, name));
}

}  // namespace zq::fileops
