#pragma once
// The BinaryEditor's dialogs: data input, jump, range, search (with the
// replacement field for @Changeddata) and comparison.  Each takes the
// choices remembered by the view and gives the texts back; the texts are
// turned into bytes by BinaryInput, so a rule never lives in a dialog.
#include <windows.h>

#include <string>

#include "binedit/BinaryInput.h"
#include "binedit/BinarySearch.h"
#include "ui/CDialog.h"

namespace zq::binedit {

// What the view remembers between two uses of the dialogs (both panes share it).
struct DialogChoices {
    InputType inputType = InputType::Hex;
    bool inputSigned = false;
    int repeatMode = 0;  // 0 by count, 1 by end address, 2 over the selection
    long long repeatCount = 1;
    InputType searchType = InputType::Hex;
    bool searchSigned = false;
    SearchDirection direction = SearchDirection::Down;
    bool fromStart = false;
    bool jumpHex = false;  // shared by the jump and the range dialog
    bool jumpRelative = false;
    CompareRequest compare;
};

}  // namespace zq::binedit
