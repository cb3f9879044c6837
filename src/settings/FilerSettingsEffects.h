#pragma once
// What the view must do after "ファイラー設定" was closed with OK.
#include "settings/Settings.h"

namespace zq {

struct FilerSettingsEffects {
    bool resizeSavedCursors = false;  // SUMSAVECURPOS changed
    bool rereadListings = false;      // a display filter changed: the shown directories are read again
    bool redisplayListings = false;   // CHYNCROSORT or VIEWFILETIMETYPE changed: the listings are drawn again
};

FilerSettingsEffects CompareFilerSettings(const Settings& before, const Settings& after);
// Gives the saved-cursor list SUMSAVECURPOS slots, keeping the entries that fit.
void ResizeSavedCursors(Settings& settings);

}  // namespace zq
