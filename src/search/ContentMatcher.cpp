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
        m_starts[static_cast<unsigned char>(pattern[0])] = true;
    }
    // One pass for every code at once, moved on by pairs of bytes (Wu and
    // Manber's rule on the patterns' first m_shortest bytes).  Single bytes
    // would not do: the five codes of one word share most of their byte
    // values with Japanese text (lead bytes, JIS's ASCII), so a one-byte
    // table moves a few bytes at a time, while a pair of text bytes is
    // seldom a pair of any pattern and moves nearly the whole prefix.
    // No start of any pattern is skipped: each shift is the least that the
    // pair allows for every pattern.
    if (m_shortest >= 2) {
        const size_t most = std::min<size_t>(m_shortest - 1, 255);
        m_pairShift.assign(65536, static_cast<uint8_t>(most));
        for (const std::string& pattern : m_patterns)
            for (size_t end = 1; end < m_shortest; ++end) {
                const unsigned pair =
                    static_cast<unsigned char>(pattern[end - 1]) | static_cast<unsigned char>(pattern[end]) << 8;
                const size_t shift = m_shortest - 1 - end;
                if (shift < m_pairShift[pair]) m_pairShift[pair] = static_cast<uint8_t>(shift);
            }
    }
    // A window shorter than the longest pattern could never hold it.
    m_window = std::max(m_window, 2 * m_longest);
}

bool ContentMatcher::MatchesAt(const char* bytes, size_t length, size_t at) const {
    for (const std::string& pattern : m_patterns)
        if (at + pattern.size() <= length && std::memcmp(bytes + at, pattern.data(), pattern.size()) == 0) return true;
    return false;
}

bool ContentMatcher::Contains(const char* bytes, size_t length) const {
    if (m_patterns.empty() || length < m_shortest) return false;
    if (m_shortest == 1) {
        for (size_t at = 0; at < length; ++at)
            if (m_starts[static_cast<unsigned char>(bytes[at])] && MatchesAt(bytes, length, at)) return true;
        return false;
    }
    const unsigned char* text = reinterpret_cast<const unsigned char*>(bytes);
    for (size_t at = 0; at + m_shortest <= length;) {
        const size_t end = at + m_shortest - 1;
        const size_t shift = m_pairShift[text[end - 1] | text[end] << 8];
        if (shift != 0) {
            at += shift;
            continue;
        }
        if (MatchesAt(bytes, length, at)) return true;
        ++at;
    }
    return false;
}

ContentResult ContentMatcher::Search(IFileSystem& fs, const std::wstring& path, const std::atomic<bool>* stop,
                                     DWORD* error, uint64_t listedSize) {
    if (m_patterns.empty()) return ContentResult::NotFound;
    UniqueFile file(fs.Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
    if (!file) {
        if (error) *error = ::GetLastError();
        return ContentResult::Unreadable;
    }
    m_buffer.resize(m_window);
    size_t have = 0;
    uint64_t total = 0;
    for (;;) {
        if (stop && stop->load()) return ContentResult::Stopped;
        DWORD read = 0;
        const DWORD asked = static_cast<DWORD>(m_window - have);
        if (!fs.Read(file.Get(), m_buffer.data() + have, asked, &read)) {
            if (error) *error = ::GetLastError();
            return ContentResult::Unreadable;
        }
        if (read == 0) return ContentResult::NotFound;
        have += read;
        total += read;
        if (Contains(m_buffer.data(), have)) return ContentResult::Found;
        // Only the listed size itself ends the file early: a share may hand
        // out short pieces long before the end, and a file that grew since
        // the listing is read on to its real end.
        if (read < asked && total == listedSize) return ContentResult::NotFound;
        // Every position from which the longest pattern still fits has been
        // compared in full; the ones after it start the next window.
        const size_t keep = std::min(have, m_longest - 1);
        std::memmove(m_buffer.data(), m_buffer.data() + have - keep, keep);
        have = keep;
    }
}

}  // namespace zq
