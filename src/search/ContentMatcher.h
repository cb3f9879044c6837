#pragma once
// Whether a file holds any of a search's byte patterns.  The file is read
// once, front to back, in windows; the bytes a pattern could still need are
// carried into the next window, so a match across a window border is found.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "search/FindPatterns.h"

namespace zq {

enum class ContentResult { Found, NotFound, Unreadable, Stopped };

class ContentMatcher {
  public:
    static constexpr size_t kWindow = 32000;

    explicit ContentMatcher(const FindPatternSet& set, size_t window = kWindow);
    ContentMatcher(const ContentMatcher&) = delete;
    ContentMatcher& operator=(const ContentMatcher&) = delete;

    // Unreadable: the file could not be opened, or a read failed (the error in `error`).
    [[nodiscard]] ContentResult Search(IFileSystem& fs, const std::wstring& path, const std::atomic<bool>* stop,
                                       DWORD* error = nullptr);
    // Any pattern anywhere in `bytes` (whole, not windowed).
    [[nodiscard]] bool Contains(const char* bytes, size_t length) const;

  private:
    std::vector<std::string> m_patterns;
    size_t m_longest = 0;
    size_t m_shortest = 0;
    size_t m_shift[256] = {};
    bool m_ends[256] = {};  // the byte ends the first m_shortest bytes of some pattern
    size_t m_window;
    std::vector<char> m_buffer;
};

}  // namespace zq
