#include "settings/FilerSettingsEffects.h"

#include "settings/SettingsCustom.h"

namespace zq {

FilerSettingsEffects CompareFilerSettings(const Settings& before, const Settings& after) {
    FilerSettingsEffects effects;
    effects.resizeSavedCursors = before.SUMSAVECURPOS != after.SUMSAVECURPOS;
    effects.rereadListings =
        before.NOTVIEWUPDIR != after.NOTVIEWUPDIR || before.NOTVIEWCURRENTDIR != after.NOTVIEWCURRENTDIR ||
        before.HIDDENVIEWFLAG != after.HIDDENVIEWFLAG || before.DISP_READ_ONLY_FILE != after.DISP_READ_ONLY_FILE ||
        before.DISP_SYSTEM_FILE != after.DISP_SYSTEM_FILE || before.DISP_FIRST_DOT_FILE != after.DISP_FIRST_DOT_FILE ||
        before.USE_STR_CMP_LOGICAL_W != after.USE_STR_CMP_LOGICAL_W;
    effects.redisplayListings =
        before.CHYNCROSORT != after.CHYNCROSORT || before.VIEWFILETIMETYPE != after.VIEWFILETIMETYPE;
    return effects;
}

void ResizeSavedCursors(Settings& settings) {
    settings.savedCursors.resize(static_cast<size_t>(custom::BoundedCount(settings.SUMSAVECURPOS)));
}

}  // namespace zq
