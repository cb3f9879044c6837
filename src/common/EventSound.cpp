#include "common/EventSound.h"

#include <windows.h>
#include <mmsystem.h>

namespace zq {

const wchar_t* const kSoundEventNames[kSoundEventCount] = {
    L"COPY",    L"MOVE",     L"DELETE",     L"RENAME",    L"EXECUTE", L"PACK",           L"UNPACK",    L"LOAD_PICTURE",
    L"EDIT",    L"VIEW",     L"CMP_BINARY", L"ATTRIBUTE", L"MKDIR",   L"FILE_ALLSELECT", L"ALLSELECT", L"DIRCHANGE",
    L"JUMPDIR", L"WILDCARD", L"FINDFILE",   L"SORT",      L"UPDIR",   L"START",          L"QUIT"};
static_assert(static_cast<int>(SoundEvent::Quit) + 1 == kSoundEventCount);

bool PlayEventSound(const std::wstring& wavPath) noexcept {
    if (wavPath.empty()) return false;
    // An asynchronous start reports success before the file is even opened,
    // so a file that is not there is caught here.
    const DWORD attributes = ::GetFileAttributesW(wavPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // SND_NODEFAULT: a broken path must stay silent rather than ring the system beep.
    return ::PlaySoundW(wavPath.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

}  // namespace zq
