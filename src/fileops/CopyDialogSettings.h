#pragma once
// The settings a copy dialog reads and writes back, handed in by the view
// (which owns the settings and saves them).
#include <string>

#include "fileops/SameNameResolver.h"

namespace zq::fileops {

struct CopyDialogSettings {
    bool minimize = false;             // COPYDLGMINIMUM
    bool overallDisplay = false;       // COPYDLGEXTRA
    bool noQuestion = false;           // WRITE_LOG_COPY_MOVE
    bool removableFast = true;         // REMOVABLE_COPY_FAST
    bool verify = false;               // COPY_VERIFY, "コピー後に比較する"
    bool newFilesInPlace = true;       // COPY_NEW_FILE_IN_PLACE
    SameNameSettings sameName;         // the same-name settings of the way question
    std::wstring editorName;           // EDITORNAME
    std::wstring editorUnicodeOption;  // EDITOR_OPEN_UNICODE_OPTION
    std::wstring programDirectory;
};

}  // namespace zq::fileops
