#pragma once
// Rules of moving between directories that the view asks before it acts.
#include <cstddef>
#include <string>

#include "common/Paths.h"  // RootLength: the part of a path that climbing never cuts
#include "filer/FilerPane.h"

namespace zq {

// What @Updirectory would do on `pane` now, without doing it: Done for a plain
// parent directory (and for the search-result list), ToDriveList at a drive
// root, ToNetworkParent at a network root ("\\server" or "\\server\share"),
// Failed when the pane is not a directory listing.
[[nodiscard]] UpDirectoryResult UpStepOf(const FilerPane& pane);

}  // namespace zq
