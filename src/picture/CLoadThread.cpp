#include "picture/CLoadThread.h"

#include "common/Paths.h"

namespace zq {
namespace {

constexpr DWORD kReadChunk = 32000;

// For lengths above 100 the divisor comes first, so that the product cannot overflow.
int Percent(size_t done, size_t length) {
    if (length == 0) return 100;
    if (length > 100) return static_cast<int>(done / (length / 100));
    return static_cast<int>(done * 100 / length);
}

}  // namespace

UniqueLocal LoadFileRange(const std::wstring& path, ULONGLONG offset, size_t length, const LoadProgress& progress,
                          const std::function<bool()>& cancelled) {
    const UniqueFile file(::CreateFileW(PlatformPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size)) return {};
    if (static_cast<ULONGLONG>(size.QuadPart) < offset || static_cast<ULONGLONG>(size.QuadPart) - offset < length)
        return {};
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN)) return {};
    // One spare byte keeps LocalAlloc from refusing an empty range.
    UniqueLocal block(::LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, length + 1));
    if (!block) return {};
    auto* bytes = static_cast<BYTE*>(block.Get());
    size_t done = 0;
    while (done < length) {
        if (cancelled && cancelled()) return {};
        const DWORD want = static_cast<DWORD>(length - done < kReadChunk ? length - done : kReadChunk);
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes + done, want, &read, nullptr) || read != want) return {};
        done += read;
        if (progress) progress(Percent(done, length));
    }
    return block;
}

bool CLoadThread::Work() {
    m_data = LoadFileRange(m_path, m_offset, m_length, m_progress, [this] { return CancelRequested(); });
    return m_data.Valid();
}

}  // namespace zq
