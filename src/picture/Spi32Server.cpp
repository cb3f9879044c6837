#include "picture/Spi32Server.h"

#include <float.h>

#include <cstring>
#include <iterator>

#include "picture/SusieApi.h"

namespace zq::spi32 {

using namespace zq::susie;

namespace {

// The most GetPluginInfo entries asked for; a plug-in that never answers 0 stops here.
constexpr int kMaxInfoEntries = 2 * 256 + 2;

int ZQ_SUSIE_CALL NoProgress(int, int, LONG_PTR) {
    return 0;
}

template <typename Fn>
Fn Export(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

SIZE_T BlockSize(HLOCAL block) {
    return block != nullptr ? ::LocalSize(block) : 0;
}

}  // namespace

Spi32Server::Spi32Server(std::wstring outputPrefix) : m_outputPrefix(std::move(outputPrefix)) {}

Spi32Server::~Spi32Server() {
    for (auto& [path, library] : m_libraries) ::FreeLibrary(library);
}

HMODULE Spi32Server::Library(const wchar_t* path) {
    for (const auto& [known, library] : m_libraries)
        if (::CompareStringOrdinal(known.c_str(), -1, path, -1, TRUE) == CSTR_EQUAL) return library;
    // The plug-in's own folder and the system's only, as the program loads its 64-bit ones.
    const HMODULE library =
        ::LoadLibraryExW(path, nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::_fpreset();
    if (library != nullptr) m_libraries.emplace_back(path, library);
    return library;
}

bool Spi32Server::Serve(Control& control) {
    control.result = 0;
    control.status = kDone;
    control.infoSize = control.bitsSize = control.textSize = 0;
    control.outputBlock[0] = L'\0';
    if (control.magic != kMagic) {
        control.status = kBadRequest;
        return true;
    }
    if (control.op == kOpQuit) return false;
    control.plugin[std::size(control.plugin) - 1] = L'\0';
    control.name[sizeof control.name - 1] = '\0';
    const HMODULE library = Library(control.plugin);
    if (library == nullptr) {
        control.status = kNoLibrary;
        return true;
    }
    switch (control.op) {
        case kOpInfo:
            Info(control, library);
            break;
        case kOpIsSupported:
            IsSupported(control, library);
            break;
        case kOpPicture:
            Picture(control, library);
            break;
        case kOpPictureInfo:
            PictureInfo(control, library);
            break;
        default:
            control.status = kBadRequest;
            break;
    }
    ::_fpreset();
    return true;
}

void Spi32Server::Info(Control& control, HMODULE library) {
    const auto info = Export<GetPluginInfoFn>(library, "GetPluginInfo");
    if (info == nullptr) {
        control.status = kNoEntry;
        return;
    }
    // Entry 0, entry 1 and then 2, 3, … up to the first empty one, each ended by a NUL.
    size_t used = 0;
    int entries = 0;
    for (int n = 0; n < kMaxInfoEntries; ++n) {
        char buffer[520] = {};
        const int got = info(n, buffer, static_cast<int>(sizeof buffer - 1));
        if (got <= 0 && n >= 2) break;
        const size_t length = ::strnlen(buffer, sizeof buffer - 1);
        if (used + length + 1 > sizeof control.text) break;
        std::memcpy(control.text + used, buffer, length);
        control.text[used + length] = '\0';
        used += length + 1;
        ++entries;
    }
    control.textSize = static_cast<uint32_t>(used);
    control.result = entries;
}

void Spi32Server::IsSupported(Control& control, HMODULE library) {
    const auto supported = Export<IsSupportedFn>(library, "IsSupported");
    if (supported == nullptr) {
        control.status = kNoEntry;
        return;
    }
    // The same three forms the program tries with its own plug-ins: the file
    // handle, the head from the start, the head from 128 bytes in.
    control.offset = 0;
    if ((control.flag & kMemoryOnly) == 0) {
        const HANDLE file = ::CreateFileA(control.name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            control.result = supported(control.name, file);
            ::CloseHandle(file);
            if (control.result != 0) return;
        }
    }
    control.result = supported(control.name, control.head);
    if (control.result != 0 || (control.flag & kMemoryOnly) != 0) return;
    control.offset = 128;
    control.result = supported(control.name, control.head + 128);
}

const char* Spi32Server::Input(const Control& control) {
    if (control.inputSize == 0) return nullptr;
    const std::wstring name(control.inputBlock, ::wcsnlen(control.inputBlock, std::size(control.inputBlock)));
    if (m_input.Data() == nullptr || m_input.Name() != name) {
        if (!m_input.Open(name)) return nullptr;
    }
    return m_input.Size() >= control.inputSize ? static_cast<const char*>(m_input.Data()) : nullptr;
}

void Spi32Server::Picture(Control& control, HMODULE library) {
    const auto picture = Export<GetPictureFn>(library, control.entry == kGetPreview ? "GetPreview" : "GetPicture");
    if (picture == nullptr) {
        control.status = kNoEntry;
        return;
    }
    const bool memory = (control.flag & kInputMask) != kInputFile;
    LPCSTR buf = control.name;
    LONG_PTR len = static_cast<LONG_PTR>(control.offset);
    if (memory) {
        buf = Input(control);
        len = static_cast<LONG_PTR>(control.inputSize);
        if (buf == nullptr) {
            control.status = kNoMemory;
            return;
        }
    }
    HLOCAL info = nullptr;
    HLOCAL bits = nullptr;
    control.result = picture(buf, len, control.flag, &info, &bits, NoProgress, 0);
    if (control.result == kOk) {
        // The blocks go across whole; whether they hold what the header says is the program's to judge.
        const SIZE_T infoSize = BlockSize(info);
        const SIZE_T bitsSize = BlockSize(bits);
        const size_t total = BitsOffset(infoSize) + bitsSize;
        if (infoSize > 0xFFFFFFFFu || bitsSize > 0xFFFFFFFFu) {
            control.status = kNoMemory;
        } else if (!GrowBlock(m_output, m_outputPrefix, total, m_generation)) {
            control.status = kNoMemory;
        } else {
            auto* out = static_cast<char*>(m_output.Data());
            if (infoSize) std::memcpy(out, ::LocalLock(info), infoSize);
            if (bitsSize) std::memcpy(out + BitsOffset(infoSize), ::LocalLock(bits), bitsSize);
            control.infoSize = static_cast<uint32_t>(infoSize);
            control.bitsSize = static_cast<uint32_t>(bitsSize);
            if (!PutText(control.outputBlock, m_output.Name())) control.status = kNoMemory;
        }
    }
    if (info) ::LocalFree(info);
    if (bits) ::LocalFree(bits);
}

void Spi32Server::PictureInfo(Control& control, HMODULE library) {
    const auto pictureInfo = Export<GetPictureInfoFn>(library, "GetPictureInfo");
    if (pictureInfo == nullptr) {
        control.status = kNoEntry;
        return;
    }
    susie::PictureInfo info{};
    const bool memory = (control.flag & kInputMask) != kInputFile;
    const char* buf = memory ? Input(control) : control.name;
    if (buf == nullptr) {
        control.status = kNoMemory;
        return;
    }
    control.result =
        pictureInfo(buf, memory ? control.inputSize : static_cast<LONG_PTR>(control.offset), control.flag, &info);
    // The text information stays here: the program has no use for it across.
    if (info.hInfo) ::LocalFree(info.hInfo);
    const PictureRecord record{static_cast<int32_t>(info.left),
                               static_cast<int32_t>(info.top),
                               static_cast<int32_t>(info.width),
                               static_cast<int32_t>(info.height),
                               info.x_density,
                               info.y_density,
                               info.colorDepth,
                               0};
    std::memcpy(control.text, &record, sizeof record);
    control.textSize = sizeof record;
}

}  // namespace zq::spi32
