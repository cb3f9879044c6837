#pragma once
// Creating a directory from a typed name, with every missing parent, and the
// name the cursor goes to afterwards.
#include <string>

#include "common/FileSystem.h"

namespace zq::fileops {

struct MakeDirectoryPlan {
    std::wstring full;  // the directory to create, in the normal form
    // The first component below the pane's directory (or, for a name outside
    // it, below the volume root): the entry the cursor is put on.
    std::wstring firstComponent;
};

// The typed name resolved against the pane's directory; false for a name no
// directory can have (empty, wildcard or reserved characters, too long).
bool PlanMakeDirectory(const std::wstring& paneDirectory, const std::wstring& typed, MakeDirectoryPlan& plan);

// Creates `full` and every missing directory above it (attributes normal).
// False, with the last error set, when it exists already or a part could not
// be made; the parts made before the failure stay.
bool MakeDirectoryTree(IFileSystem& fs, const std::wstring& full);

}  // namespace zq::fileops
