#pragma once
// Whether a file holds any of a search's byte patterns.  The file is read
// once, front to back, in windows; the bytes a pattern could still need are
// carried into the next window, so a match across a window border is found.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "search/FindPatterns.h"

namespace zq {

enum class ContentResult { Found, NotFound, Unreadable, Stopped };

class ContentMatcher {
  public:
    // Most files fit in one window: under Wine each read is a round trip,
    // and opening and closing a file already cost more than reading it.
    static constexpr size_t kWindow = 256 * 1024;
    static constexpr uint64_t kSizeUnknown = ~uint64_t{0};

    explicit ContentMatcher(const FindPatternSet& set, size_t window = kWindow);
    ContentMatcher(const ContentMatcher&) = delete;
    ContentMatcher& operator=(const ContentMatcher&) = delete;

    // Unreadable: the file could not be opened, or a read failed (the error in `error`).
    // `listedSize`, the size the directory listing gave, spares the read that
    // would only say "end of file": a short read that ends at it ends the file.
    [[nodiscard]] ContentResult Search(IFileSystem& fs, const std::wstring& path, const std::atomic<bool>* stop,
                                       DWORD* error = nullptr, uint64_t listedSize = kSizeUnknown);
    // Any pattern anywhere in `bytes` (whole, not windowed).
    [[nodiscard]] bool Contains(const char* bytes, size_t length) const;

  private:
    [[nodiscard]] bool MatchesAt(const char* bytes, size_t length, size_t at) const;

    std::vector<std::string> m_patterns;
    size_t m_longest = 0;
    size_t m_shortest = 0;
    // How far the pair of bytes ending the first m_shortest bytes under the
    // comparison lets it move on (0: some pattern could start here).
    std::vector<uint8_t> m_pairShift;
    bool m_starts[256] = {};  // the byte begins a pattern (one-byte patterns only)
    size_t m_window;
    std::vector<char> m_buffer;
};

}  // namespace zq
