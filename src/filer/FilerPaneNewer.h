#pragma once
// @Newselelect: mark the files that are newer than their namesakes in the
// other pane, for bringing two copies of a folder up to date by hand.
#include "filer/FilerPane.h"

namespace zq {

// The two check boxes of the dialog.
struct NewerSelectOptions {
    bool lonelyFiles = false;  // a file without a twin on the other side is always marked
    bool bothPanes = false;    // mark in the other pane too, against the active one
};

// Marks each file of `pane` whose twin in `other` (same name ignoring case, also
// a file) has an older last-write time, and, with `lonelyFiles`, each file that
// has no twin; unmarks every other file.  Directory marks are left as they are.
void MarkNewerThan(FilerPane& pane, const FilerPane& other, bool lonelyFiles);

// The whole command on the two panes once the dialog has been answered.
void NewerSelect(FilerPane& active, FilerPane& other, const NewerSelectOptions& options);

}  // namespace zq
