#pragma once
// One directory being walked by a recursive operation (copy, delete).  Frames
// form a stack, newest first; each owns its find handle, so popping a frame or
// abandoning the whole stack closes every search.
#include <windows.h>

#include <memory>
#include <string>

#include "common/Handle.h"

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

}  // namespace zq::fileops
