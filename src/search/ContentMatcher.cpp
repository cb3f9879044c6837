#include "search/ContentMatcher.h"

#include <algorithm>
#include <cstring>

#include "common/Handle.h"

namespace zq {

ContentMatcher::ContentMatcher(const FindPatternSet& set, size_t window) : m_patterns(set.patterns), m_window(window) {
    if (m_patterns.empty()) return;
    m_shortest = m_patterns.front().size();
    for (const std::string& pattern : m_patterns) {
        m_longest = std::max(m_longest, pattern.size());
        m_shortest = std::min(m_shortest, pattern.size());
    }
    // One pass for every code at once (Horspool's rule on the patterns'
    // first m_shortest bytes): five separate passes cost five times the
    // comparing, while the shift of the set is still most of a pattern's
    // length.  No start of any pattern is skipped: each shift is the least
    // that the byte under the end of the prefix allows for every pattern.
    for (size_t& shift : m_shift) shift = m_shortest;
    for (const std::string& pattern : m_patterns) {
        m_ends[static_cast<unsigned char>(pattern[m_shortest - 1])] = true;
        for (size_t i = 0; i + 1 < m_shortest; ++i) {
            size_t& shift = m_shift[static_cast<unsigned char>(pattern[i])];
            shift = std::min(shift, m_shortest - 1 - i);
        }
    }
    // A window shorter than the longest pattern could never hold it.
    m_window = std::max(m_window, 2 * m_longest);
}

bool ContentMatcher::Contains(const char* bytes, size_t length) const {
    if (m_patterns.empty() || length < m_shortest) return false;
    for (size_t at = 0; at + m_shortest <= length;) {
        const unsigned char last = static_cast<unsigned char>(bytes[at + m_shortest - 1]);
        if (!m_ends[last]) {
            at += m_shift[last];
            continue;
        }
        for (const std::string& pattern : m_patterns)
            if (static_cast<unsigned char>(pattern[m_shortest - 1]) == last && at + pattern.size() <= length &&
                std::memcmp(bytes + at, pattern.data(), pattern.size()) == 0)
                return true;
        at += m_shift[last];
    }
    return false;
}

ContentResult ContentMatcher::Search(IFileSystem& fs, const std::wstring& path, const std::atomic<bool>* stop,
                                     DWORD* error) {
    if (m_patterns.empty()) return ContentResult::NotFound;
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
