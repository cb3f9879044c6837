#include "search/ContentMatcher.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "common/Handle.h"

namespace zq {

ContentMatcher::ContentMatcher(const FindPatternSet& set, size_t window) : m_patterns(set.patterns), m_window(window) {
    // The searchers point into m_patterns, which is not changed after this.
    for (const std::string& pattern : m_patterns) {
        m_longest = std::max(m_longest, pattern.size());
        // Horspool's skip table makes an absent pattern cost a fraction of a
        // byte-by-byte pass; the result is the same first full match.
        std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
        m_finders.push_back([searcher](const char* first, const char* last) {
            const auto found = searcher(first, last);
            return found.first == last ? nullptr : found.first;
        });
    }
    // A window shorter than the longest pattern could never hold it.
    m_window = std::max(m_window, 2 * m_longest);
}

bool ContentMatcher::Contains(const char* bytes, size_t length) const {
    for (const Finder& find : m_finders)
        if (find(bytes, bytes + length)) return true;
    return false;
}

ContentResult ContentMatcher::Search(IFileSystem& fs, const std::wstring& path, const std::atomic<bool>* stop,
                                     DWORD* error) {
    if (m_finders.empty()) return ContentResult::NotFound;
    UniqueFile file(fs.Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
    if (!file) {
        if (error) *error = ::GetLastError();
        return ContentResult::Unreadable;
    }
    m_buffer.resize(m_window);
    size_t have = 0;
    for (;;) {
        if (stop && stop->load()) return ContentResult::Stopped;
        DWORD read = 0;
        if (!fs.Read(file.Get(), m_buffer.data() + have, static_cast<DWORD>(m_window - have), &read)) {
            if (error) *error = ::GetLastError();
            return ContentResult::Unreadable;
        }
        if (read == 0) return ContentResult::NotFound;
        have += read;
        if (Contains(m_buffer.data(), have)) return ContentResult::Found;
        // Every position from which the longest pattern still fits has been
        // compared in full; the ones after it start the next window.
        const size_t keep = std::min(have, m_longest - 1);
        std::memmove(m_buffer.data(), m_buffer.data() + have - keep, keep);
        have = keep;
    }
}

}  // namespace zq
