#pragma once
// A command's sound, from the file the user assigned to its event.
#include <cstddef>

#include "common/EventSound.h"
#include "settings/Settings.h"

namespace zq {

inline void PlayEventSound(const Settings& settings, SoundEvent event) {
    (void)PlayEventSound(settings.wavFiles[static_cast<size_t>(event)]);
}

}  // namespace zq
