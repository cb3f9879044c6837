#pragma once
// Exchange helpers shared by the pages of "ファイラー設定".
#include "ui/CDialog.h"

namespace zq {

inline constexpr int kMaxScreenCoordinate = 100000;

// A radio group for a stored choice: a value that no button stands for (a file
// edited by hand) is kept as it is unless the user picks a button.
inline void RadioKeepingUnknown(ui::DataExchange& dx, int firstId, int lastId, int& value) {
    int chosen = value;
    dx.Radio(firstId, lastId, chosen);
    if (dx.Saving() && chosen >= 0) value = chosen;
}

}  // namespace zq
