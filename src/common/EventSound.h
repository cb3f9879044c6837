#pragma once
// The events that can have a sound of their own.  The order is the order of
// the keys in the WAV section of zq.ini.
#include <string>

namespace zq {

enum class SoundEvent : int {
    Copy,
    Move,
    Delete,
    Rename,
    Execute,
    Pack,
    Unpack,
    LoadPicture,
    Edit,
    View,
    CmpBinary,
    Attribute,
    MkDir,
    FileAllSelect,
    AllSelect,
    DirChange,
    JumpDir,
    Wildcard,
    FindFile,
    Sort,
    UpDir,
    Start,
    Quit,
};
inline constexpr int kSoundEventCount = 23;

// The ini keys of the events ("COPY", "LOAD_PICTURE" …), in event order.
extern const wchar_t* const kSoundEventNames[kSoundEventCount];

// Starts `wavPath` playing and returns at once; a command's work must not wait
// for its sound.  False when no file is assigned or it is not there (a file
// that turns out not to be a sound stays silent too); a missing sound is never
// worth a message.
bool PlayEventSound(const std::wstring& wavPath) noexcept;

}  // namespace zq
