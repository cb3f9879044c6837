#pragma once
// The conversation between the program and zqspi32.exe, the 32-bit process
// that hosts 32-bit Susie plug-ins for it.  Both sides are built from this
// header, one for x64 and one for x86, so every record here has the same
// layout in both: fixed-width fields only, sizes asserted.
//
// One request at a time: the program fills the control block, sets the
// request event and waits for the answer event (or the helper's end).  Bulk
// data travels in growable named sections: the program writes the input of a
// memory-form call into its own, the helper writes decoded pictures into its
// own; each side names its section in the control block and the other opens it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace zq::spi32 {

constexpr uint32_t kMagic = 0x32495053;  // "SPI2"
constexpr size_t kHeadBytes = 2048 + 128;

enum Op : uint32_t {
    kOpInfo = 1,         // the GetPluginInfo texts
    kOpIsSupported = 2,  // the three IsSupported forms, or only the memory one
    kOpPicture = 3,      // GetPicture or GetPreview
    kOpPictureInfo = 4,  // GetPictureInfo
    kOpQuit = 9,
};

enum Entry : uint32_t { kGetPicture = 0, kGetPreview = 1 };

// How the helper got on with a request, apart from what the plug-in answered.
enum Status : uint32_t {
    kDone = 0,
    kNoLibrary = 1,   // it does not load
    kNoEntry = 2,     // the export is missing
    kBadRequest = 3,  // a field that cannot be right
    kNoMemory = 4,    // a section could not be made or opened
};

// IsSupported: only the memory form of the head (for a picture already in memory).
constexpr uint32_t kMemoryOnly = 1;

struct Control {
    uint32_t magic;
    uint32_t op;
    uint32_t sequence;
    int32_t result;  // the plug-in's own answer
    uint32_t status;
    uint32_t flag;  // the Susie flag word, or kMemoryOnly for IsSupported
    uint32_t entry;
    uint32_t inputSize;  // bytes of the program's section that the call reads
    int64_t offset;      // file form: the start in the file; IsSupported answers with the head offset it took
    uint32_t infoSize;   // answer: BITMAPINFO bytes at the start of the helper's section
    uint32_t bitsSize;   // answer: the bits, at BitsOffset(infoSize)
    uint32_t textSize;
    uint32_t reserved;
    wchar_t plugin[1040];  // the plug-in's full path
    char name[1040];       // the 8-bit file name handed to the plug-in
    wchar_t inputBlock[64];
    wchar_t outputBlock[64];
    unsigned char head[kHeadBytes];
    char text[16384];  // kOpInfo: NUL-ended texts; kOpPictureInfo: a PictureRecord
};
static_assert(sizeof(wchar_t) == 2);
static_assert(offsetof(Control, offset) == 32 && offsetof(Control, plugin) == 56 && sizeof(Control) == 21992);

// GetPictureInfo's answer without the pointer that differs between the two sizes.
struct PictureRecord {
    int32_t left, top, width, height;
    uint16_t xDensity, yDensity;
    int16_t colorDepth;
    int16_t pad;
};
static_assert(sizeof(PictureRecord) == 24);

[[nodiscard]] constexpr size_t BitsOffset(size_t infoSize) noexcept {
    return (infoSize + 15) / 16 * 16;
}

// The names of one helper's objects, from the base the program picks.
[[nodiscard]] inline std::wstring ControlName(const std::wstring& base) {
    return base + L"-c";
}
[[nodiscard]] inline std::wstring RequestEventName(const std::wstring& base) {
    return base + L"-q";
}
[[nodiscard]] inline std::wstring AnswerEventName(const std::wstring& base) {
    return base + L"-a";
}

// A named page-file section mapped whole, made by one side and opened by the other.
class SharedBlock {
  public:
    SharedBlock() = default;
    ~SharedBlock() { Close(); }
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;

    [[nodiscard]] bool Create(const std::wstring& name, size_t size);
    [[nodiscard]] bool Open(const std::wstring& name);
    void Close() noexcept;

    [[nodiscard]] void* Data() const noexcept { return m_view; }
    [[nodiscard]] size_t Size() const noexcept { return m_size; }
    [[nodiscard]] const std::wstring& Name() const noexcept { return m_name; }

  private:
    [[nodiscard]] bool Map();

    HANDLE m_section = nullptr;
    void* m_view = nullptr;
    size_t m_size = 0;
    std::wstring m_name;
};

// A section of at least size bytes under a new name from prefix and a running
// number; the old one is kept when it is big enough.
[[nodiscard]] bool GrowBlock(SharedBlock& block, const std::wstring& prefix, size_t size, uint32_t& generation);

// Copies a name into a fixed field, NUL-ended; false when it does not fit.
template <typename Char, size_t N>
[[nodiscard]] bool PutText(Char (&field)[N], const std::basic_string<Char>& text) {
    if (text.size() >= N) return false;
    text.copy(field, text.size());
    field[text.size()] = Char{};
    return true;
}

}  // namespace zq::spi32
