#pragma once
// A batch of renames inside one directory carried out so that no file is lost
// or overwritten: when a new name is still held by another file of the batch
// (a→b while b→c waits, or the cycle a→b, b→a), that file goes first, and a
// cycle is broken by moving one file to a free temporary name.
#include <functional>
#include <string>
#include <vector>

#include "fileops/RenameGenerator.h"

namespace zq::fileops {

struct RenameRequest {
    std::wstring oldName;
    std::wstring newName;
};

struct RenameStep {
    std::wstring from;
    std::wstring to;
    int request = -1;  // the request this step finishes; -1 for a move to a temporary name
};

struct RenamePlanResult {
    std::vector<RenameStep> steps;
    // Requests left out: their new name is another request's new name, or is
    // held by a file outside the batch.
    std::vector<int> refused;
};

// `taken` tells whether a name is held in the directory now (the batch's own
// old names included); names compare without regard to case.
[[nodiscard]] RenamePlanResult PlanRenames(const std::vector<RenameRequest>& requests,
                                           const std::function<bool(const std::wstring&)>& taken);

// The new names of a whole batch, in order, before anything is renamed: a
// name of the batch counts as free (its file moves away) unless another
// entry already got it.  An entry whose name cannot be made, or would be one
// that Windows refuses, gets an empty name.  `caseConversion`: 0, 1 upper, 2 lower.
[[nodiscard]] std::vector<std::wstring> GenerateBatchNames(const std::wstring& directory,
                                                           const std::vector<std::wstring>& oldNames,
                                                           const RenameOptions& options, unsigned caseConversion,
                                                           const NameTaken& onDisk);

// Whether a name is held in `directory` now, as the batch asks it while it
// makes the new names and plans the moves.
[[nodiscard]] NameTaken NamesOnDisk(const std::wstring& directory);

// Carries the steps out in `directory` with MoveFileW; `done` hears of every
// finished request.  Stops at the first failing step and returns false; the
// steps done stay done (a file left under a temporary name is named in `error`).
// `stop` is asked before each step while no file waits under a temporary
// name, so a stop never leaves one parked; a stop returns true.
[[nodiscard]] bool ExecuteRenamePlan(const std::wstring& directory, const RenamePlanResult& plan,
                                     const std::function<void(int request)>& done, std::wstring& error,
                                     const std::function<bool()>& stop = {});

}  // namespace zq::fileops
