#include "fileops/CopyFileFilter.h"

#include <windows.h>

#include <algorithm>

#include "common/Wildcard.h"

namespace zq::fileops {
namespace {

bool MatchesAny(std::wstring_view name, const std::vector<std::wstring>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [name](const std::wstring& pattern) { return WildcardMatch(name, pattern); });
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring_view Trim(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\x3000'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

CopyFileFilter::CopyFileFilter(std::vector<std::wstring> include, std::vector<std::wstring> exclude)
    : m_include(std::move(include)), m_exclude(std::move(exclude)) {
    // An empty pattern would match nothing under the Filer's matcher, so an
    // include list made only of empty strings would silently copy no file at
    // all; such entries are not patterns a user chose.
    const auto empty = [](const std::wstring& p) { return Trim(p).empty(); };
    m_include.erase(std::remove_if(m_include.begin(), m_include.end(), empty), m_include.end());
    m_exclude.erase(std::remove_if(m_exclude.begin(), m_exclude.end(), empty), m_exclude.end());
}

bool CopyFileFilter::Passes(std::wstring_view name) const {
    // Exclusion wins: a file named by both lists stays behind, which is what
    // "copy *.txt but not old*.txt" means.
    if (MatchesAny(name, m_exclude)) return false;
    return m_include.empty() || MatchesAny(name, m_include);
}

size_t AddPatterns(std::vector<std::wstring>& list, std::wstring_view typed) {
    size_t added = 0;
    // ";" separates patterns because it cannot occur in a pattern that means
    // anything to the matcher, while blanks can be part of a file name.
    while (!typed.empty()) {
        const size_t end = typed.find(L';');
        const std::wstring_view piece = Trim(typed.substr(0, end));
        typed = end == std::wstring_view::npos ? std::wstring_view() : typed.substr(end + 1);
        if (piece.empty()) continue;
        if (std::any_of(list.begin(), list.end(), [piece](const std::wstring& p) { return SameText(p, piece); }))
            continue;
        list.emplace_back(piece);
        ++added;
    }
    return added;
}

}  // namespace zq::fileops
